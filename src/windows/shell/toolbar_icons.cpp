#include "shell/toolbar_icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>

namespace shell {

namespace {

// Every picture is drawn on a 32 x 32 grid and scaled to the rectangle asked for.
constexpr qreal Grid = 32;

void fill(QPainter& p, const QPainterPath& path, QColor face, QColor edge) {
    p.setPen(QPen(edge, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(face);
    p.drawPath(path);
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath rect(qreal x, qreal y, qreal w, qreal h, qreal radius = 0) {
    QPainterPath path;
    path.addRoundedRect(x, y, w, h, radius, radius);
    return path;
}

void lines(QPainter& p, qreal left, qreal right, std::initializer_list<qreal> ys) {
    p.setPen(QPen(QColor(150, 150, 150), 1.2));
    for (qreal y : ys)
        p.drawLine(QPointF(left, y), QPointF(right, y));
}

void drawNewFile(QPainter& p) {
    fill(p, polygon({{7, 3}, {19, 3}, {25, 9}, {25, 29}, {7, 29}}), Qt::white, QColor(80, 80, 80));
    fill(p, polygon({{19, 3}, {19, 9}, {25, 9}}), QColor(215, 215, 215), QColor(80, 80, 80));
    lines(p, 10.5, 21.5, {14, 18, 22, 26});
}

void drawOpenFile(QPainter& p) {
    const QColor edge(138, 90, 0);
    fill(p, polygon({{3, 7}, {11, 7}, {13.5, 10}, {27, 10}, {27, 27}, {3, 27}}),
         QColor(224, 165, 38), edge);
    fill(p, polygon({{3, 27}, {7.5, 15}, {30, 15}, {27, 27}}), QColor(255, 210, 87), edge);
}

void drawSaveFile(QPainter& p) {
    const QColor body(47, 95, 168), edge(28, 58, 102);
    fill(p, rect(4, 4, 24, 24, 2), body, edge);
    fill(p, rect(10, 4, 12, 9), QColor(200, 204, 210), edge);
    fill(p, rect(17, 6, 3, 5), body, body);
    fill(p, rect(8, 17, 16, 11), Qt::white, edge);
    lines(p, 10.5, 21.5, {21, 24.5});
}

QPainterPath downArrow() {
    return polygon({{13, 4}, {19, 4}, {19, 16}, {25.5, 16}, {16, 28}, {6.5, 16}, {13, 16}});
}

void drawReadRadio(QPainter& p) {
    fill(p, downArrow(), QColor(46, 154, 62), QColor(29, 97, 40));
}

void drawWriteRadio(QPainter& p) {
    p.translate(0, Grid); // the down arrow turned upside down
    p.scale(1, -1);
    fill(p, downArrow(), QColor(217, 83, 30), QColor(140, 50, 18));
}

void drawWarning(QPainter& p) {
    fill(p, polygon({{16, 3}, {30, 28}, {2, 28}}), QColor(255, 204, 51), QColor(138, 109, 0));
    const QColor mark(32, 32, 32);
    fill(p, rect(14.5, 10.5, 3, 10, 1.5), mark, mark);
    p.drawEllipse(QPointF(16, 24.2), 1.4, 1.4);
}

void drawComputer(QPainter& p) {
    const QColor edge(85, 85, 85);
    fill(p, rect(3, 4, 26, 18, 2), QColor(208, 208, 208), edge);
    fill(p, rect(6, 7, 20, 12), QColor(58, 120, 194), QColor(40, 70, 110));
    fill(p, polygon({{13, 22}, {19, 22}, {20, 26}, {12, 26}}), QColor(160, 160, 160), edge);
    fill(p, rect(8, 26, 16, 3, 1), QColor(192, 192, 192), edge);
}

class PictureEngine : public QIconEngine {
  public:
    explicit PictureEngine(ToolbarPicture picture) : m_picture(picture) {}

    QIconEngine* clone() const override { return new PictureEngine(m_picture); }

    void paint(QPainter* painter, const QRect& target, QIcon::Mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(target.topLeft());
        painter->scale(target.width() / Grid, target.height() / Grid);
        draw(*painter);
        painter->restore();
    }

    // The disabled and selected looks come from the style, as for pictures
    // loaded from files.
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        {
            QPainter painter(&picture);
            paint(&painter, picture.rect(), QIcon::Normal, state);
        }
        if (mode == QIcon::Normal || mode == QIcon::Active)
            return picture;
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, picture, &option);
    }

  private:
    void draw(QPainter& p) const {
        switch (m_picture) {
        case ToolbarPicture::NewFile:
            drawNewFile(p);
            break;
        case ToolbarPicture::OpenFile:
            drawOpenFile(p);
            break;
        case ToolbarPicture::SaveFile:
            drawSaveFile(p);
            break;
        case ToolbarPicture::ReadRadio:
            drawReadRadio(p);
            break;
        case ToolbarPicture::WriteRadio:
            drawWriteRadio(p);
            break;
        case ToolbarPicture::Warning:
            drawWarning(p);
            break;
        case ToolbarPicture::Computer:
            drawComputer(p);
            break;
        }
    }

    ToolbarPicture m_picture;
};

} // namespace

QIcon toolbarIcon(ToolbarPicture picture) {
    return QIcon(new PictureEngine(picture));
}

} // namespace shell
