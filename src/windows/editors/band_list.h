#pragma once

#include <QComboBox>

namespace editors {

// The main window's band list (Combo1): a plain drop-down list that reports
// the moment the user drops it down, which the band selection needs to tell
// a hand-made choice from one made by the program.
class BandList : public QComboBox {
    Q_OBJECT
  public:
    using QComboBox::QComboBox;

    void showPopup() override;

  signals:
    void listOpened();
};

} // namespace editors
