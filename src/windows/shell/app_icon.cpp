#include "shell/app_icon.h"

#include <QPainter>
#include <QPixmap>

namespace shell {

namespace {

QPixmap radio(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 48));
    p.drawRoundedRect(QRectF(20, 1, 3, 10), 1.5, 1.5); // antenna
    p.drawRoundedRect(QRectF(8, 9, 17, 22), 3, 3);     // body
    p.setBrush(QColor(150, 210, 240));
    p.drawRoundedRect(QRectF(11, 12, 11, 7), 1, 1); // display
    p.setBrush(QColor(200, 200, 205));
    for (int row = 0; row < 3; ++row) // keys
        for (int col = 0; col < 3; ++col)
            p.drawRect(QRectF(11.5 + col * 3.8, 21.5 + row * 3, 2.4, 1.8));
    return pixmap;
}

} // namespace

QIcon appIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(radio(size));
    return icon;
}

} // namespace shell
