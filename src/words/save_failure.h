#pragma once

#include "files/file_io.h"

#include <QString>

namespace ui {

// Tells the user, in the language in force, that `path` was not saved and
// why; the existing file was left as it was.
void reportSaveFailure(const QString& path, const files::WriteResult& written);

// A file name on one line, as the messages show it.
QString shownFileName(const QString& path);

// The system's words for an errno value; empty for 0.
QString systemReason(int systemError);

} // namespace ui
