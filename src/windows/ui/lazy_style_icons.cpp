#include "ui/lazy_style_icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>
#include <QWidget>
#include <optional>

namespace ui {

namespace {

// Stands for one standard icon of `style` until the icon is first needed.
class StandardIconEngine : public QIconEngine {
public:
    StandardIconEngine(const QStyle* style, QStyle::StandardPixmap icon,
                       const QStyleOption* option, const QWidget* widget)
        : m_style(style), m_which(icon), m_widget(widget) {
        if (option)
            m_option = *option; // the common part, all a standard icon reads
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new StandardIconEngine(*this); }

private:
    const QIcon& icon() {
        if (!m_made && m_style) {
            m_icon = m_style->standardIcon(m_which, m_option ? &*m_option : nullptr, m_widget);
            m_made = true;
        }
        return m_icon;
    }

    QPointer<const QStyle> m_style;
    QStyle::StandardPixmap m_which;
    QPointer<const QWidget> m_widget;
    std::optional<QStyleOption> m_option;
    QIcon m_icon;
    bool m_made = false;
};

} // namespace

QIcon LazyStyleIcons::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                   const QWidget* widget) const {
    return QIcon(new StandardIconEngine(baseStyle(), icon, option, widget));
}

} // namespace ui
