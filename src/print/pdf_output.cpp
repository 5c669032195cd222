#include "print/pdf_output.h"

#include "print/print_layout.h"
#include "words/file_names.h"
#include "words/program_info.h"

#include <QBuffer>
#include <QPageSize>
#include <QPdfWriter>
#include <span>

namespace print {

QPageLayout defaultPageLayout() {
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                       QPageLayout::Millimeter);
}

files::WriteResult writePdf(const PrintDocument& document, const QString& path,
                            const QPageLayout& page) {
    // Built in memory first, so the file is only ever replaced whole.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setPageLayout(page);
        writer.setCreator(QString::fromUtf8(ui::ProgramName));
        writer.setTitle(document.title());
        printDocument(document, writer);
    }
    const QByteArray& bytes = buffer.data();
    return files::writeFileAtomically(
        ui::fileNameBytes(path).toStdString(),
        std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), size_t(bytes.size())));
}

} // namespace print
