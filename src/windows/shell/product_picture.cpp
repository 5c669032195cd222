#include "shell/product_picture.h"

#include <QLinearGradient>
#include <QPainter>

namespace shell {

namespace {

// The drawing's own units: the radio fills 100 x 170.
constexpr qreal Width = 100;
constexpr qreal Height = 170;

const QColor Body(40, 40, 48);
const QColor Display(150, 210, 240);
const QColor Key(200, 200, 205);

void drawTop(QPainter& p) {
    p.setBrush(Body);
    p.drawRoundedRect(QRectF(62, 2, 10, 46), 5, 5); // antenna
    p.drawRect(QRectF(26, 24, 15, 20));             // volume knob
    p.setBrush(QColor(70, 70, 80));
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(28 + i * 3.5, 26, 1.5, 16));
}

void drawBody(QPainter& p) {
    QLinearGradient shade(14, 0, 86, 0);
    shade.setColorAt(0, Body.lighter(140));
    shade.setColorAt(0.3, Body);
    shade.setColorAt(1, Body.darker(130));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(14, 40, 72, 127), 11, 11);
    p.setBrush(Body.darker(120));
    p.drawRoundedRect(QRectF(8, 72, 8, 30), 3, 3); // push-to-talk key
    p.setBrush(QColor(220, 60, 50));
    p.drawEllipse(QRectF(70, 47, 6, 6)); // transmit lamp
}

void drawFront(QPainter& p) {
    p.setBrush(QColor(25, 25, 30));
    for (int i = 0; i < 5; ++i) // speaker slots
        p.drawRoundedRect(QRectF(28, 56 + i * 5, 44, 2.4), 1.2, 1.2);

    p.setBrush(Display);
    p.drawRoundedRect(QRectF(24, 86, 52, 26), 3, 3);
    p.setPen(QColor(20, 40, 60));
    QFont font("monospace");
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(9);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(24, 87, 52, 12), Qt::AlignCenter, "CH 01");
    p.drawText(QRectF(24, 98, 52, 12), Qt::AlignCenter, "438.500");
    p.setPen(Qt::NoPen);

    p.setBrush(Key);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 3; ++col)
            p.drawRoundedRect(QRectF(27 + col * 16, 119 + row * 11, 13, 7), 2, 2);
}

} // namespace

QPixmap productPicture(int height, qreal devicePixelRatio) {
    const qreal scale = height / Height;
    QPixmap pixmap(qRound(Width * scale * devicePixelRatio), qRound(height * devicePixelRatio));
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    drawTop(p);
    drawBody(p);
    drawFront(p);
    return pixmap;
}

} // namespace shell
