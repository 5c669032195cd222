#pragma once

#include <QProxyStyle>

namespace ui {

// The platform's style, whose standard icons are made when first drawn.
// Qt's own are image files, and reading the first one loads every image
// format plugin; the menu bar asks for some as it is built, while the
// program draws its own icons and may never show a standard one.
class LazyStyleIcons : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

} // namespace ui
