#include "print/print_layout.h"

#include "print/page_text.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <algorithm>

namespace print {

namespace {

// Sizes in points, the way a printed page is thought of.
constexpr double CellTextSize = 11;
constexpr double GridTextSize = 9;
constexpr double FooterTextSize = 9;
constexpr double CellPaddingX = 5;
constexpr double CellPaddingY = 3;
constexpr double RuleWidth = 0.6;
constexpr double HeadingSpaceAbove = 4;
constexpr double FooterSpace = 24;

int alignmentFlags(Align align) {
    switch (align) {
    case Align::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Align::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

class Layout {
  public:
    explicit Layout(const QPaintDevice& device)
        : m_device(device), m_width(device.width()),
          m_bodyBottom(device.height() - points(FooterSpace)) {
        m_pages.append(LaidOutPage{});
    }

    void add(const TextLine& line) {
        const QFont f = font(line.size, line.bold);
        placeWrapped(line.text, f, alignmentFlags(line.align));
    }

    void add(const Heading& heading) {
        if (!pageIsEmpty())
            m_y += points(HeadingSpaceAbove);
        placeWrapped(heading.text, font(heading.size, true), Qt::AlignLeft | Qt::AlignVCenter);
    }

    void add(const LineBreak& space) {
        m_y += QFontMetricsF(font(space.size, false), &m_device).lineSpacing();
    }

    void add(const TableRow& row) {
        const QFont f = font(CellTextSize, false);
        const double scale = twipsScale(row);
        QList<double> widths;
        double height = 0;
        for (const TableCell& cell : row.cells) {
            const double width = cell.widthTwips * scale;
            widths.append(width);
            height = std::max(height, wrappedHeight(cell.text, f, width - 2 * points(CellPaddingX),
                                                    alignmentFlags(cell.align)));
        }
        height += 2 * points(CellPaddingY);
        makeRoom(height);
        double x = 0;
        for (int i = 0; i < row.cells.size(); ++i) {
            const TableCell& cell = row.cells[i];
            const QRectF box(x, m_y, widths[i], height);
            placeText(box.adjusted(points(CellPaddingX), 0, -points(CellPaddingX), 0), cell.text, f,
                      alignmentFlags(cell.align) | Qt::TextWordWrap);
            addBorders(box, cell.borders);
            x += widths[i];
        }
        m_y += height;
    }

    void add(const GridCopy& grid) {
        QFont f = font(GridTextSize, false);
        QList<double> widths = naturalWidths(grid, f);
        double total = 0;
        for (double w : widths)
            total += w;
        if (total > m_width) { // a smaller type rather than clipped cells
            f.setPointSizeF(GridTextSize * m_width / total * 0.98);
            widths = naturalWidths(grid, f);
            total = 0;
            for (double w : widths)
                total += w;
        }
        for (double& w : widths)
            w *= m_width / total;
        const double rowHeight =
            QFontMetricsF(f, &m_device).lineSpacing() + 2 * points(CellPaddingY);

        makeRoom(2 * rowHeight);
        placeGridRow(grid.header, widths, rowHeight, bold(f), true);
        for (const QStringList& row : grid.rows) {
            if (m_y + rowHeight > m_bodyBottom) {
                startPage();
                placeWrapped(grid.title, bold(f), Qt::AlignLeft | Qt::AlignVCenter);
                placeGridRow(grid.header, widths, rowHeight, bold(f), true);
            }
            placeGridRow(row, widths, rowHeight, f, false);
        }
    }

    void add(const PageBreak&) {
        if (!pageIsEmpty())
            startPage();
    }

    QList<LaidOutPage> finish() {
        // A break with nothing after it leaves no blank sheet.
        if (m_pages.size() > 1 && pageIsEmpty())
            m_pages.removeLast();
        const QFont f = font(FooterTextSize, false);
        const double height = QFontMetricsF(f, &m_device).lineSpacing();
        const QRectF footer(0, m_device.height() - height, m_width, height);
        for (int i = 0; i < m_pages.size(); ++i)
            m_pages[i].texts.append({footer, QString("%1 / %2").arg(i + 1).arg(m_pages.size()), f,
                                     Qt::AlignHCenter | Qt::AlignBottom});
        return m_pages;
    }

  private:
    double points(double pt) const { return pt * m_device.logicalDpiY() / 72.0; }

    QFont font(double size, bool isBold) const {
        QFont f = QGuiApplication::font();
        f.setPointSizeF(size > 0 ? size : PrintDocument::DefaultTextSize);
        f.setBold(isBold);
        // Any letter spacing turns ligatures off: "Off" stays three letters
        // that a PDF reader finds and copies, not "O" and an "ff" glyph.
        f.setLetterSpacing(QFont::AbsoluteSpacing, 0.05);
        return f;
    }
    static QFont bold(QFont f) {
        f.setBold(true);
        return f;
    }

    bool pageIsEmpty() const { return m_pages.last().texts.isEmpty(); }

    void startPage() {
        m_pages.append(LaidOutPage{});
        m_y = 0;
    }

    // A new page when `height` does not fit below what the page holds.
    void makeRoom(double height) {
        if (m_y + height > m_bodyBottom && !pageIsEmpty())
            startPage();
    }

    double wrappedHeight(const QString& text, const QFont& f, double width, int flags) const {
        const QFontMetricsF metrics(f, &m_device);
        const QRectF needed = metrics.boundingRect(QRectF(0, 0, std::max(width, 1.0), 1e9),
                                                   flags | Qt::TextWordWrap, text);
        return std::max(needed.height(), metrics.lineSpacing());
    }

    void placeWrapped(const QString& text, const QFont& f, int flags) {
        const double height = wrappedHeight(text, f, m_width, flags);
        makeRoom(height);
        placeText(QRectF(0, m_y, m_width, height), text, f, flags | Qt::TextWordWrap);
        m_y += height;
    }

    void placeText(const QRectF& rect, const QString& text, const QFont& f, int flags) {
        m_pages.last().texts.append({rect, text, f, flags});
    }

    void addBorders(const QRectF& box, Borders borders) {
        QList<QLineF>& rules = m_pages.last().rules;
        if (borders & Border::Left)
            rules.append({box.topLeft(), box.bottomLeft()});
        if (borders & Border::Top)
            rules.append({box.topLeft(), box.topRight()});
        if (borders & Border::Right)
            rules.append({box.topRight(), box.bottomRight()});
        if (borders & Border::Bottom)
            rules.append({box.bottomLeft(), box.bottomRight()});
    }

    // Twips to pixels, narrowed so that a row wider than the page fits it.
    double twipsScale(const TableRow& row) const {
        int twips = 0;
        for (const TableCell& cell : row.cells)
            twips += cell.widthTwips;
        const double scale = m_device.logicalDpiX() / 1440.0;
        return twips * scale > m_width ? m_width / twips : scale;
    }

    QList<double> naturalWidths(const GridCopy& grid, const QFont& f) const {
        const QFontMetricsF plain(f, &m_device);
        const QFontMetricsF heavy(bold(f), &m_device);
        QList<double> widths;
        for (const QString& text : grid.header)
            widths.append(heavy.horizontalAdvance(text));
        for (const QStringList& row : grid.rows)
            for (int c = 0; c < row.size() && c < widths.size(); ++c)
                widths[c] = std::max(widths[c], plain.horizontalAdvance(row[c]));
        for (double& w : widths)
            w += 2 * points(CellPaddingX);
        return widths;
    }

    void placeGridRow(const QStringList& cells, const QList<double>& widths, double height,
                      const QFont& f, bool header) {
        if (header)
            m_pages.last().shades.append(QRectF(0, m_y, m_width, height));
        double x = 0;
        for (int c = 0; c < widths.size(); ++c) {
            const QRectF box(x, m_y, widths[c], height);
            placeText(box, cells.value(c), f, Qt::AlignCenter);
            addBorders(box, Border::Left | Border::Top | Border::Right | Border::Bottom);
            x += widths[c];
        }
        m_y += height;
    }

    const QPaintDevice& m_device;
    const double m_width;
    const double m_bodyBottom;
    double m_y = 0;
    QList<LaidOutPage> m_pages;
};

} // namespace

QList<LaidOutPage> layOut(const PrintDocument& document, const QPaintDevice& device) {
    Layout layout(device);
    for (const Block& block : document.blocks())
        std::visit([&](const auto& b) { layout.add(b); }, block);
    return layout.finish();
}

void paintPages(const QList<LaidOutPage>& pages, QPagedPaintDevice& device) {
    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(Qt::black);
    pen.setWidthF(RuleWidth * device.logicalDpiY() / 72.0);
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0)
            device.newPage();
        const LaidOutPage& page = pages[i];
        for (const QRectF& shade : page.shades)
            painter.fillRect(shade, QColor(230, 230, 230));
        painter.setPen(pen);
        painter.drawLines(page.rules);
        for (const PlacedText& text : page.texts) {
            drawPlacedText(painter, text);
        }
    }
}

void printDocument(const PrintDocument& document, QPagedPaintDevice& device) {
    paintPages(layOut(document, device), device);
}

} // namespace print
