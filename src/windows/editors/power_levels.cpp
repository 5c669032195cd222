#include "editors/power_levels.h"

#include "ui/apply_language.h"
#include "words/editor_texts.h"
#include "words/program_flags.h"
#include "words/setting_texts.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

namespace editors {

namespace {

// The window's size: 4200 x 5100 twips at 15 twips a pixel.
constexpr QSize PowerLevelsSize(280, 340);

constexpr int DefaultHighPowerLevel = 208;
constexpr int DefaultLowPowerLevel = 116;
constexpr int LargeStep = 5;

bool setInRange(QSlider* slider, int value) {
    if (value < slider->minimum() || value > slider->maximum())
        return false;
    slider->setValue(value);
    return true;
}

} // namespace

PowerLevels::PowerLevels(QWidget* parent) : QWidget(parent) {
    setObjectName("Form4");
    Frame1 = createFrame("Frame1", "Slider1", "Label1", "Label2", "Label3");
    Frame2 = createFrame("Frame2", "Slider2", "Label6", "Label5", "Label4");
    Slider1 = Frame1->findChild<QSlider*>("Slider1");
    Slider2 = Frame2->findChild<QSlider*>("Slider2");
    Label3 = Frame1->findChild<QLabel*>("Label3");
    Label4 = Frame2->findChild<QLabel*>("Label4");

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    layout->addStretch();

    // The design texts are the Chinese texts of the language tables.
    ui::applyLanguageTable(this, PowerLevelsTexts, 0);
    ui::applyLanguageTable(this, settingTexts("Form4"), 0);
    for (auto [frame, slider, label] :
         {std::tuple{Frame1, Slider1, Label3}, std::tuple{Frame2, Slider2, Label4}}) {
        // Both a value change and every scroll step rewrite the value label.
        const auto show = [this, frame, slider, label] { showValue(frame, slider, label); };
        connect(slider, &QSlider::valueChanged, this, show);
        connect(slider, &QSlider::sliderMoved, this, show);
        // A drag is one change, told when the slider is let go; a key, a
        // click on the groove or the wheel is one each. The slider takes
        // the action's value only after telling of it.
        connect(slider, &QSlider::sliderReleased, this, &PowerLevels::edited);
        connect(slider, &QSlider::actionTriggered, this, [this](int action) {
            if (action != QAbstractSlider::SliderMove)
                QMetaObject::invokeMethod(this, &PowerLevels::edited, Qt::QueuedConnection);
        });
    }
    StartForm();
    showValue(Frame1, Slider1, Label3);
    showValue(Frame2, Slider2, Label4);
    setSlidersEnabled(ui::DebugMode);
    resize(PowerLevelsSize);
}

QSize PowerLevels::sizeHint() const {
    return PowerLevelsSize.expandedTo(minimumSizeHint());
}

QGroupBox* PowerLevels::createFrame(const char* frame, const char* slider, const char* lowEnd,
                                    const char* highEnd, const char* valueLabel) {
    auto* box = new QGroupBox(this);
    box->setObjectName(frame);
    auto* bar = new QSlider(Qt::Horizontal, box);
    bar->setObjectName(slider);
    bar->setRange(0, MaxLevel);
    bar->setSingleStep(1);
    bar->setPageStep(LargeStep);
    bar->setTickPosition(QSlider::TicksBelow);
    bar->setTickInterval(16);
    auto* low = new QLabel(box);
    low->setObjectName(lowEnd);
    auto* high = new QLabel(box);
    high->setObjectName(highEnd);
    auto* value = new QLabel(box);
    value->setObjectName(valueLabel);
    value->setAlignment(Qt::AlignCenter);

    auto* grid = new QGridLayout(box);
    grid->addWidget(bar, 0, 0, 1, 2);
    grid->addWidget(low, 1, 0, Qt::AlignLeft);
    grid->addWidget(high, 1, 1, Qt::AlignRight);
    grid->addWidget(value, 2, 0, 1, 2);
    return box;
}

void PowerLevels::showValue(QGroupBox* frame, QSlider* slider, QLabel* label) {
    label->setText(frame->title() + ':' + QString::number(slider->value()));
}

void PowerLevels::StartForm() {
    Slider1->setValue(DefaultHighPowerLevel);
    Slider2->setValue(DefaultLowPowerLevel);
}

int PowerLevels::highPowerLevel() const {
    return Slider1->value();
}
int PowerLevels::lowPowerLevel() const {
    return Slider2->value();
}
QString PowerLevels::highPowerCaption() const {
    return Frame1->title();
}
QString PowerLevels::lowPowerCaption() const {
    return Frame2->title();
}
bool PowerLevels::setHighPowerLevel(int value) {
    return setInRange(Slider1, value);
}
bool PowerLevels::setLowPowerLevel(int value) {
    return setInRange(Slider2, value);
}

image::PowerLevelValues PowerLevels::values() const {
    return {Slider1->value(), Slider2->value()};
}

void PowerLevels::showDecoded(const image::PowerLevelValues& values) {
    setHighPowerLevel(values.Slider1);
    setLowPowerLevel(values.Slider2);
}

void PowerLevels::setSlidersEnabled(bool enabled) {
    Slider1->setEnabled(enabled);
    Slider2->setEnabled(enabled);
}

} // namespace editors
