#pragma once

#include <QWidget>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace editors {

class CharacterFilter;
struct FmEntry;

// Form5: the FM broadcast presets and settings. Its texts are Chinese in
// every language. It keeps what the user typed for the whole run; New does
// not reset it.
//
// MSFGrid keeps the addressing of a grid with one fixed row and one fixed
// column: row 0 holds the column titles (shown in the header, so they stay
// in view while the grid scrolls), column 0 the preset numbers, and cell
// (k, 1) preset k. Text1 is the entry box laid over the preset being edited;
// it stays over that cell after leaving it and then shows what the preset
// holds. Combo1_0, Combo1_1 and Combo1_2 are the members 0..2 of the list
// array Combo1: the current FM channel, the display mode and the FM step.
class FmPresetsEditor : public QWidget {
    Q_OBJECT
  public:
    static constexpr int ListCount = 3;

    explicit FmPresetsEditor(QWidget* parent = nullptr);

    // Preset `row` (1..32) in FM text form; empty when free or out of range.
    QString presetText(int row) const;
    // Empty frees the preset; other texts are taken as if typed and left,
    // so a value the grid refuses leaves the preset as it was.
    void setPresetText(int row, const QString& text);

    // The list position of Combo1 member 0..2; -1 for another member.
    int listPosition(int member) const;
    // Applied only when the list holds the position.
    void setListPosition(int member, int position);

    // The full-band frequency as Text2 last accepted it (empty: unset).
    QString fullBandText() const;
    // Empty unsets it; other texts are taken as if typed and left.
    void setFullBandText(const QString& text);

    QSize sizeHint() const override;

  signals:
    // A user action changed what the image holds of this window; emitted
    // once, when it is complete.
    void edited();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void createGrid();
    void createFields();
    QLineEdit* createFrequencyBox(const char* name, QWidget* parent);
    QComboBox* createList(int member, int top);
    void openEditor(int row);
    void commitText1();
    void commitText2();
    bool storePreset(int row, const FmEntry& entry);
    bool storeFullBand(const FmEntry& entry);
    void showRefusal();
    void dismissRefusal();
    void hideWindow();

    CharacterFilter* m_filter = nullptr;
    QTableWidget* MSFGrid = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    std::array<QComboBox*, ListCount> Combo1{};
    QLabel* Label2 = nullptr;
    QPushButton* Command1 = nullptr;
    int FmEditRow = 0;
    int FmEditCol = 0;
    QString m_fullBandText;
};

} // namespace editors
