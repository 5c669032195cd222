#pragma once

#include "image/editor_values.h"

#include <QWidget>

class QGroupBox;
class QLabel;
class QSlider;

namespace editors {

// Form4, the debug window: the two transmitter power calibration levels
// (Slider1 high power, Slider2 low power), movable only in the debug
// service mode.
class PowerLevels : public QWidget {
    Q_OBJECT
  public:
    static constexpr int MaxLevel = 255;

    explicit PowerLevels(QWidget* parent = nullptr);

    // Slider1 208, Slider2 116.
    void StartForm();

    // The designed size, which the child window opens with.
    QSize sizeHint() const override;

    int highPowerLevel() const; // Slider1
    // The frames' captions, as printed beside the levels.
    QString highPowerCaption() const; // Frame1
    QString lowPowerCaption() const;  // Frame2
    int lowPowerLevel() const;        // Slider2
    // A value outside the slider's range leaves it as it was; returns
    // whether it was taken.
    bool setHighPowerLevel(int value);
    bool setLowPowerLevel(int value);

    image::PowerLevelValues values() const;
    // Shows decoded levels; a value outside a slider's range leaves it.
    void showDecoded(const image::PowerLevelValues& values);

    void setSlidersEnabled(bool enabled);

  signals:
    // A user action changed what the image holds of this window; emitted
    // once, when it is complete.
    void edited();

  private:
    QGroupBox* createFrame(const char* frame, const char* slider, const char* lowEnd,
                           const char* highEnd, const char* valueLabel);
    void showValue(QGroupBox* frame, QSlider* slider, QLabel* label);

    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QSlider* Slider1 = nullptr;
    QSlider* Slider2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
};

} // namespace editors
