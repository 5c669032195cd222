#pragma once

#include <QLabel>

namespace shell {

// A label that works as a link: underlined in the link colour, a pointing
// hand over it, and activated by a click or, once it has the focus, by
// Return, Enter or Space. Its clicks stay with it and do not reach the
// window behind.
class LinkLabel : public QLabel {
    Q_OBJECT
  public:
    explicit LinkLabel(QWidget* parent = nullptr);

  signals:
    void activated();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace shell
