#pragma once

#include "image/band_limits.h"
#include "image/editor_values.h"
#include "words/optional_features_lists.h"

#include <QHash>
#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace editors {

class EntryFilter;

// Form3, the optional features window: the radio-wide settings on two pages
// (function settings, VFO) and the VOX frame. Every setting is the state of
// one control; the image codec and printing read and write them by the
// control's name.
class OptionalFeatures : public QWidget {
    Q_OBJECT
  public:
    // `band` is the main window's band, read by StartForm and the Text20 check.
    explicit OptionalFeatures(const image::BandLimits& band, QWidget* parent = nullptr);
    ~OptionalFeatures() override;

    // Selects every default, puts Text20 on the band centre and Text21 on
    // 10.00000. Text6 is left alone.
    void StartForm();

    // The designed size, which the child window opens with.
    QSize sizeHint() const override;

    // The selected position of a list ("Combo16"); -1 when none or no such list.
    int listPosition(const QString& list) const;
    // Selects `position` only when the list holds it; returns whether it did.
    bool setListPosition(const QString& list, int position);
    // The selected entry's text, as shown.
    QString listText(const QString& list) const;
    // The caption of a label or check box ("Label6", "Check12").
    QString caption(const QString& control) const;

    bool isChecked(const QString& box) const;
    void setChecked(const QString& box, bool checked);

    QString presentChannelText() const; // Text6; empty means no value
    void setPresentChannelText(const QString& text);
    QString vfoFrequencyText() const; // Text20
    void setVfoFrequencyText(const QString& text);
    QString offsetText() const; // Text21
    void setOffsetText(const QString& text);

    // Everything the image holds of this window, for the encoder.
    image::OptionalFeaturesValues values() const;
    // Shows decoded values; a list position the list lacks leaves it as it was.
    void showDecoded(const image::OptionalFeaturesValues& values);

    // Corrects the entry box holding the focus as leaving it would, so a
    // value still being typed is checked before anyone reads it.
    void commitPendingEntry();

  signals:
    // A user action changed what the image holds of this window; emitted
    // once, when it is complete.
    void edited();

  private:
    QWidget* createFunctionPage();
    QWidget* createVfoPage();
    QWidget* createVoxFrame();
    QWidget* createPageSwitch();
    void addList(QGridLayout* grid, int row, int column, const char* label, const char* list);
    void addList(QGridLayout* grid, int row, int column, const features::Captioned& pair);
    QLineEdit* addEntry(QGridLayout* grid, int row, int column, const features::Captioned& pair);
    QLineEdit* addEntry(QGridLayout* grid, int row, int column, const char* label,
                        const char* entry);
    void fillLists();
    void showPage(bool functionPage);
    void showText(QLineEdit* box, const QString& text);

    const image::BandLimits& m_band;
    QHash<QString, QComboBox*> m_lists;
    QHash<QString, QWidget*> m_captioned; // labels and check boxes by name
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QLineEdit* Text6 = nullptr;
    QLineEdit* Text20 = nullptr;
    QLineEdit* Text21 = nullptr;
    QHash<QLineEdit*, EntryFilter*> m_entryFilters;
};

} // namespace editors
