#pragma once

#include "print/print_document.h"

#include <QFont>
#include <QLineF>
#include <QList>
#include <QRectF>

class QPaintDevice;
class QPagedPaintDevice;

// Laying a document out on pages and painting the pages. The laid-out pages
// are data too: what stands where, so page breaking can be checked without
// looking at pixels.
namespace print {

struct PlacedText {
    QRectF rect;
    QString text;
    QFont font;
    int flags = 0; // Qt::AlignmentFlag and Qt::TextFlag
};

struct LaidOutPage {
    QList<PlacedText> texts; // in reading order, the footer last
    QList<QLineF> rules;     // cell borders
    QList<QRectF> shades;    // header rows of a grid
};

// Lays `document` out on the pages of `device`, measured in its pixels;
// every page gets "n / total" in its footer.
QList<LaidOutPage> layOut(const PrintDocument& document, const QPaintDevice& device);

// Paints laid-out pages on `device`, starting on its current page.
void paintPages(const QList<LaidOutPage>& pages, QPagedPaintDevice& device);

// Both: the document on the device, as many pages as it takes.
void printDocument(const PrintDocument& document, QPagedPaintDevice& device);

} // namespace print
