#include "print/page_text.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

namespace print {

namespace {

// The PDF engine's offset of the second stroke, in ems.
constexpr double SyntheticBoldOffset = 1.0 / 40;

// Glyphs of a bold text drawn from a face lighter than bold.
bool needsSyntheticBold(const QGlyphRun& run) {
    const QRawFont face = run.rawFont();
    return QFontDatabase::weight(face.familyName(), face.styleName()) < QFont::DemiBold;
}

// Lines broken and stacked as QPainter::drawText breaks and stacks them, so
// the text fills the rectangle the layout measured for it.
double layOutLines(QTextLayout& layout, double width, const QPaintDevice* device) {
    const double leading = QFontMetricsF(layout.font(), device).leading();
    double height = -leading;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        height += leading;
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    return std::max(height, 0.0);
}

double verticalOffset(int flags, double free) {
    if (flags & Qt::AlignBottom)
        return free;
    if (flags & Qt::AlignVCenter)
        return free / 2;
    return 0;
}

} // namespace

void drawPlacedText(QPainter& painter, const PlacedText& text) {
    QTextLayout layout(text.text, text.font, painter.device());
    QTextOption option(Qt::Alignment(text.flags & Qt::AlignHorizontal_Mask));
    option.setWrapMode(text.flags & Qt::TextWordWrap ? QTextOption::WordWrap
                                                     : QTextOption::ManualWrap);
    layout.setTextOption(option);
    const double height = layOutLines(layout, text.rect.width(), painter.device());
    const QPointF origin(text.rect.left(),
                         text.rect.top() + verticalOffset(text.flags, text.rect.height() - height));
    layout.draw(&painter, origin);

    // A PDF (and a printer, which is given one) draws the second stroke itself.
    if (!text.font.bold() || painter.paintEngine()->type() == QPaintEngine::Pdf)
        return;
    for (const QGlyphRun& run : layout.glyphRuns())
        if (needsSyntheticBold(run))
            painter.drawGlyphRun(
                origin - QPointF(run.rawFont().pixelSize() * SyntheticBoldOffset, 0), run);
}

} // namespace print
