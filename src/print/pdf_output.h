#pragma once

#include "files/file_io.h"
#include "print/print_document.h"

#include <QPageLayout>
#include <QString>

namespace print {

// The page a printout starts on: A4 upright with 15 mm margins.
QPageLayout defaultPageLayout();

// Writes the document as a PDF file, replacing `path` atomically: a file
// that cannot be written stays as it was, and the reason is returned.
files::WriteResult writePdf(const PrintDocument& document, const QString& path,
                            const QPageLayout& page = defaultPageLayout());

} // namespace print
