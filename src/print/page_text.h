#pragma once

#include "print/print_layout.h"

class QPainter;

namespace print {

// Draws a placed text the way its font asks on every device. A bold text
// whose glyphs come from a face without a bold cut (Chinese glyphs from
// most CJK fonts) is emboldened by the paint engine: a PDF does it by
// drawing the glyphs a second time a little to the left, the raster engine
// only for small unscaled glyphs, so a preview, which shows a scaled page,
// drew such headings as body text. Those glyphs are given the PDF's second
// stroke here on every device but a PDF, so the preview, the printer and
// the PDF show the same page.
void drawPlacedText(QPainter& painter, const PlacedText& text);

} // namespace print
