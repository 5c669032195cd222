#include "print/print_document.h"

namespace print {

Borders bordersFromFlags(const QString& flags) {
    constexpr Border order[] = {Border::Left, Border::Top, Border::Right, Border::Bottom};
    Borders borders;
    for (int i = 0; i < 4 && i < flags.size(); ++i)
        if (flags[i] == '1')
            borders |= order[i];
    return borders;
}

void PrintDocument::textLine(const QString& text) {
    textLine(text, m_textSize, Align::Left);
}

void PrintDocument::textLine(const QString& text, double size, Align align) {
    m_blocks.append(TextLine{text, size, align, m_bold});
}

void PrintDocument::heading(const QString& text) {
    m_blocks.append(Heading{text, m_textSize});
}

void PrintDocument::lineBreak() {
    m_blocks.append(LineBreak{m_textSize});
}

void PrintDocument::tableCell(const QString& text, int widthTwips, Align align, Borders borders) {
    m_pendingCells.append(TableCell{text, widthTwips, align, borders});
}

void PrintDocument::endTableRow() {
    m_blocks.append(TableRow{m_pendingCells});
    m_pendingCells.clear();
}

void PrintDocument::grid(GridCopy grid) {
    m_blocks.append(std::move(grid));
}

void PrintDocument::newPage() {
    m_blocks.append(PageBreak{});
}

} // namespace print
