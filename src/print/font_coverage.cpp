#include "print/font_coverage.h"

#include <QGlyphRun>
#include <QGuiApplication>
#include <QSet>
#include <QTextLayout>

namespace print {

namespace {

bool drawsNothing(char32_t c) {
    const QChar::Category category = QChar::category(c);
    return QChar::isSpace(c) || category == QChar::Other_Control || category == QChar::Other_Format;
}

// Whether a run's font is a font at all. Where fontconfig finds no font
// (a bare container), Qt lays text out in a stand-in of its own that gives
// every character a glyph, and every glyph is a box: it has no character
// map, which every font Qt loads (TrueType, OpenType) has.
bool realFont(const QGlyphRun& run) {
    return !run.rawFont().fontTable("cmap").isEmpty();
}

// Laid out alone, the character gets the font Qt would draw it with; a
// glyph index 0 is the missing-glyph box of a font that has none for it.
bool drawable(char32_t c, const QFont& font) {
    QTextLayout layout(QString::fromUcs4(&c, 1), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.isEmpty())
        return false;
    for (const QGlyphRun& run : runs)
        if (run.glyphIndexes().isEmpty() || run.glyphIndexes().contains(0) || !realFont(run))
            return false;
    return true;
}

void collectTexts(const Block& block, QStringList& texts) {
    if (const auto* line = std::get_if<TextLine>(&block))
        texts << line->text;
    else if (const auto* heading = std::get_if<Heading>(&block))
        texts << heading->text;
    else if (const auto* row = std::get_if<TableRow>(&block))
        for (const TableCell& cell : row->cells)
            texts << cell.text;
    else if (const auto* grid = std::get_if<GridCopy>(&block)) {
        texts << grid->title << grid->header;
        for (const QStringList& cells : grid->rows)
            texts << cells;
    }
}

} // namespace

QString uncoveredCharacters(const QStringList& texts, const QFont& font) {
    QSet<char32_t> checked;
    QString missing;
    for (const QString& text : texts)
        for (const char32_t c : text.toUcs4()) {
            if (drawsNothing(c) || checked.contains(c))
                continue;
            checked.insert(c);
            if (!drawable(c, font))
                missing += QString::fromUcs4(&c, 1);
        }
    return missing;
}

QString uncoveredCharacters(const PrintDocument& document) {
    QStringList texts{"0123456789 /"}; // the page numbers in the footers
    for (const Block& block : document.blocks())
        collectTexts(block, texts);
    return uncoveredCharacters(texts, QGuiApplication::font());
}

QString charactersNamed(const QString& characters) {
    constexpr int Shown = 8;
    // With no font at all every character of the printout is missing: a
    // message names the first ones, enough to see which script it is.
    constexpr int Listed = 32;
    const QList<uint> codes = characters.toUcs4();
    QStringList points;
    for (qsizetype i = 0; i < codes.size() && i < Shown; ++i)
        points << QString("U+%1").arg(codes[i], 4, 16, QChar('0')).toUpper();
    if (codes.size() > Shown)
        points << "...";
    QString listed;
    for (qsizetype i = 0; i < codes.size() && i < Listed; ++i) {
        const char32_t c = codes[i];
        listed += QString::fromUcs4(&c, 1);
    }
    if (codes.size() > Listed)
        listed += "...";
    return listed + " (" + points.join(' ') + ')';
}

} // namespace print
