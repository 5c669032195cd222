#pragma once

#include <QFlags>
#include <QList>
#include <QString>
#include <QStringList>
#include <variant>

// A printed document as plain data: the blocks in reading order. The same
// list is laid out for the preview, a printer and a PDF, and tests read it
// as it is.
namespace print {

// The alignment codes the content passes: 0 left, 1 right, 2 centred.
enum class Align { Left = 0, Right = 1, Center = 2 };

enum class Border { Left = 1, Top = 2, Right = 4, Bottom = 8 };
Q_DECLARE_FLAGS(Borders, Border)
Q_DECLARE_OPERATORS_FOR_FLAGS(Borders)

// Border flags as the content writes them: "1111" is left, top, right, bottom.
Borders bordersFromFlags(const QString& flags);

struct TextLine {
    QString text;
    double size = 0; // points
    Align align = Align::Left;
    bool bold = false;
};

struct Heading {
    QString text;
    double size = 0;
};

// Vertical space of one empty line of the current text size.
struct LineBreak {
    double size = 0;
};

struct TableCell {
    QString text;
    int widthTwips = 0;
    Align align = Align::Left;
    Borders borders;
};

// Cells side by side; consecutive rows make a table.
struct TableRow {
    QList<TableCell> cells;
};

// A copy of a grid's texts: the header row is repeated on every page the
// rows run over to, under the title.
struct GridCopy {
    QString title;
    QStringList header;
    QList<QStringList> rows;
};

struct PageBreak {};

using Block = std::variant<TextLine, Heading, LineBreak, TableRow, GridCopy, PageBreak>;

// Builds the block list with the pen state of a print preview component: a
// bold switch and a text size that the following lines take, and table
// cells collected until the row ends.
class PrintDocument {
  public:
    static constexpr double DefaultTextSize = 10.5;

    // The name a print job or a PDF carries.
    void setTitle(const QString& title) { m_title = title; }
    const QString& title() const { return m_title; }

    void setBold(bool bold) { m_bold = bold; }
    void setTextSize(double points) { m_textSize = points; }

    void textLine(const QString& text);
    void textLine(const QString& text, double size, Align align);
    void heading(const QString& text);
    void lineBreak();
    void tableCell(const QString& text, int widthTwips, Align align, Borders borders);
    void endTableRow();
    void grid(GridCopy grid);
    void newPage();

    const QList<Block>& blocks() const { return m_blocks; }

  private:
    QString m_title;
    QList<Block> m_blocks;
    QList<TableCell> m_pendingCells;
    bool m_bold = false;
    double m_textSize = DefaultTextSize;
};

} // namespace print
