#include "editors/optional_features.h"

#include "editors/entry_filter.h"
#include "settings/catalogue.h"
#include "settings/feature_entries.h"
#include "settings/setting_values.h"
#include "ui/apply_language.h"
#include "ui/font_fallback.h"
#include "words/editor_texts.h"
#include "words/optional_features_lists.h"
#include "words/setting_texts.h"
#include "words/tone_texts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace editors {

namespace {

// The window's size: 11535 x 5385 twips at 15 twips a pixel.
constexpr QSize OptionalFeaturesSize(769, 359);

constexpr int VfoFrequencyMaxLength = 9;
constexpr int OffsetMaxLength = 8;

// The settings of this window that an image holds.
template <typename Visit> void forImageSettings(Visit visit) {
    for (const settings::Setting& setting : settings::catalogue())
        if (std::string_view(setting.window) == "Form3" && setting.inImage())
            visit(setting);
}

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

OptionalFeatures::~OptionalFeatures() {
    detachControls(*this);
}

OptionalFeatures::OptionalFeatures(const image::BandLimits& band, QWidget* parent)
    : QWidget(parent), m_band(band) {
    setObjectName("Form3");
    ui::deferFontFallback(this);

    auto* pages = new QGridLayout;
    pages->addWidget(createFunctionPage(), 0, 0);
    pages->addWidget(createVfoPage(), 0, 0);
    auto* side = new QVBoxLayout;
    side->addWidget(createVoxFrame());
    side->addWidget(createPageSwitch());
    side->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(pages, 3);
    layout->addLayout(side, 1);
    for (const EntryFilter* filter : std::as_const(m_entryFilters))
        connect(filter, &EntryFilter::settled, this, &OptionalFeatures::edited);

    // The design texts are the Chinese texts of the language tables; the
    // settings' rows fill the lists.
    ui::applyLanguageTable(this, OptionalFeaturesTexts, 0);
    ui::applyLanguageTable(this, settingTexts("Form3"), 0);
    fillLists();
    showText(Text6, qs(features::InitialPresentChannelText));
    showPage(true);
    StartForm();
    resize(OptionalFeaturesSize);
}

QSize OptionalFeatures::sizeHint() const {
    return OptionalFeaturesSize.expandedTo(minimumSizeHint());
}

QWidget* OptionalFeatures::createFunctionPage() {
    Frame2 = new QGroupBox(this);
    Frame2->setObjectName("Frame2");
    auto* grid = new QGridLayout(Frame2);
    for (int row = 0; row < int(features::FunctionPageLeft.size()); ++row)
        addList(grid, row, 0, features::FunctionPageLeft[std::size_t(row)]);

    Text6 = addEntry(grid, 0, 3, features::PresentChannel);
    connect(Text6, &QLineEdit::textChanged, this, [this](const QString& text) {
        const QString shown =
            QString::fromStdString(features::presentChannelTyped(text.toStdString()));
        if (shown != text)
            Text6->setText(shown);
    });
    m_entryFilters.insert(Text6, new EntryFilter(Text6, digitKey, features::presentChannelLeft));

    for (int row = 0; row < int(features::FunctionPageRight.size()); ++row)
        addList(grid, row + 1, 3, features::FunctionPageRight[std::size_t(row)]);
    grid->setColumnMinimumWidth(2, 16);
    grid->setRowStretch(int(features::FunctionPageRight.size()) + 1, 1);
    return Frame2;
}

QWidget* OptionalFeatures::createVfoPage() {
    Frame3 = new QGroupBox(this);
    Frame3->setObjectName("Frame3");
    auto* grid = new QGridLayout(Frame3);
    Text20 = addEntry(grid, 0, 0, features::VfoPage[0]);
    const auto vfoFrequencyLeft = [this](std::string_view text) {
        return features::vfoFrequencyLeft(text, m_band);
    };
    m_entryFilters.insert(
        Text20, new EntryFilter(Text20, frequencyKey, vfoFrequencyLeft, VfoFrequencyMaxLength));
    Text21 = addEntry(grid, 0, 3, features::VfoPage[1]);
    // A decoded offset of 100 MHz or more has nine characters and is shown whole.
    m_entryFilters.insert(
        Text21, new EntryFilter(Text21, frequencyKey, features::offsetLeft, OffsetMaxLength));

    for (int i = 2; i < int(features::VfoPage.size()); ++i)
        addList(grid, i / 2, i % 2 * 3, features::VfoPage[std::size_t(i)]);
    // Carried by no image and shown by nothing: created hidden.
    addList(grid, 4, 0, "Label26", "Combo26");
    addList(grid, 4, 3, "Label28", "Combo28");
    for (const char* name : {"Label26", "Combo26", "Label28", "Combo28"})
        Frame3->findChild<QWidget*>(name)->hide();

    grid->setColumnMinimumWidth(2, 16);
    grid->setRowStretch(5, 1);
    return Frame3;
}

QWidget* OptionalFeatures::createVoxFrame() {
    Frame1 = new QGroupBox(this);
    Frame1->setObjectName("Frame1");
    auto* grid = new QGridLayout(Frame1);
    for (int row = 0; row < int(features::VoxFrame.size()); ++row)
        addList(grid, row, 0, features::VoxFrame[std::size_t(row)]);
    for (const char* name : {"Check12", "Check1"}) {
        auto* box = new QCheckBox(Frame1);
        box->setObjectName(name);
        box->hide();
        m_captioned.insert(name, box);
        grid->addWidget(box, grid->rowCount(), 0, 1, 2);
    }
    return Frame1;
}

QWidget* OptionalFeatures::createPageSwitch() {
    auto* frame = new QWidget(this);
    frame->setObjectName("Frame4");
    auto* row = new QHBoxLayout(frame);
    Option1 = new QRadioButton(frame);
    Option1->setObjectName("Option1");
    Option1->setChecked(true);
    Option2 = new QRadioButton(frame);
    Option2->setObjectName("Option2");
    row->addWidget(Option1);
    row->addWidget(Option2);
    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            showPage(true);
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (!on)
            return;
        showPage(false);
        Text20->setFocus(Qt::OtherFocusReason);
    });
    return frame;
}

void OptionalFeatures::addList(QGridLayout* grid, int row, int column, const char* label,
                               const char* list) {
    auto* caption = new QLabel(grid->parentWidget());
    caption->setObjectName(label);
    auto* box = new QComboBox(grid->parentWidget());
    box->setObjectName(list);
    box->setMaxVisibleItems(20);
    // The language switch rewrites the entries: the list follows the widest.
    box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    caption->setBuddy(box);
    connect(box, &QComboBox::activated, this, &OptionalFeatures::edited);
    grid->addWidget(caption, row, column);
    grid->addWidget(box, row, column + 1);
    m_captioned.insert(label, caption);
    m_lists.insert(list, box);
}

// The captioned pairs are made of string literals, so their texts end in a zero.
void OptionalFeatures::addList(QGridLayout* grid, int row, int column,
                               const features::Captioned& pair) {
    addList(grid, row, column, pair.label.data(), pair.control.data());
}

QLineEdit* OptionalFeatures::addEntry(QGridLayout* grid, int row, int column,
                                      const features::Captioned& pair) {
    return addEntry(grid, row, column, pair.label.data(), pair.control.data());
}

QLineEdit* OptionalFeatures::addEntry(QGridLayout* grid, int row, int column, const char* label,
                                      const char* entry) {
    auto* caption = new QLabel(grid->parentWidget());
    caption->setObjectName(label);
    auto* box = new QLineEdit(grid->parentWidget());
    box->setObjectName(entry);
    caption->setBuddy(box);
    grid->addWidget(caption, row, column);
    grid->addWidget(box, row, column + 1);
    m_captioned.insert(label, caption);
    return box;
}

void OptionalFeatures::fillLists() {
    const QStringList tones = toneTexts();
    for (const settings::Setting& setting : settings::catalogue())
        if (setting.tones && std::string_view(setting.window) == "Form3")
            m_lists.value(setting.control)->addItems(tones);
}

void OptionalFeatures::showPage(bool functionPage) {
    Frame2->setVisible(functionPage);
    Frame3->setVisible(!functionPage);
}

void OptionalFeatures::StartForm() {
    for (const settings::Setting& setting : settings::catalogue())
        if (std::string_view(setting.window) == "Form3" && setting.kind == settings::Kind::List)
            setListPosition(setting.control, setting.newPosition);
    setChecked("Check1", false);
    setChecked("Check12", false);
    showText(Text20, QString::fromStdString(features::bandCentreText(m_band)));
    showText(Text21, qs(features::DefaultOffsetText));
}

int OptionalFeatures::listPosition(const QString& list) const {
    const QComboBox* box = m_lists.value(list);
    return box ? box->currentIndex() : -1;
}

bool OptionalFeatures::setListPosition(const QString& list, int position) {
    QComboBox* box = m_lists.value(list);
    if (!box || position < 0 || position >= box->count())
        return false;
    box->setCurrentIndex(position);
    return true;
}

QString OptionalFeatures::listText(const QString& list) const {
    const QComboBox* box = m_lists.value(list);
    return box ? box->currentText() : QString();
}

QString OptionalFeatures::caption(const QString& control) const {
    const QWidget* widget = m_captioned.value(control);
    return widget ? widget->property("text").toString() : QString();
}

bool OptionalFeatures::isChecked(const QString& box) const {
    const auto* check = qobject_cast<const QCheckBox*>(m_captioned.value(box));
    return check && check->isChecked();
}

void OptionalFeatures::setChecked(const QString& box, bool checked) {
    if (auto* check = qobject_cast<QCheckBox*>(m_captioned.value(box)))
        check->setChecked(checked);
}

QString OptionalFeatures::presentChannelText() const {
    return Text6->text();
}
void OptionalFeatures::setPresentChannelText(const QString& text) {
    showText(Text6, text);
}
QString OptionalFeatures::vfoFrequencyText() const {
    return Text20->text();
}
void OptionalFeatures::setVfoFrequencyText(const QString& text) {
    showText(Text20, text);
}
QString OptionalFeatures::offsetText() const {
    return Text21->text();
}
void OptionalFeatures::setOffsetText(const QString& text) {
    showText(Text21, text);
}

image::OptionalFeaturesValues OptionalFeatures::values() const {
    image::EditorValues values;
    forImageSettings([&](const settings::Setting& setting) {
        settings::ParsedValue value;
        if (setting.kind == settings::Kind::Text) {
            value.text = findChild<QLineEdit*>(setting.control)->text().toStdString();
        } else if (const int position = listPosition(setting.control); position >= 0) {
            value.number = position;
        }
        settings::setValue(setting, values, 1, value);
    });
    return values.Form3;
}

void OptionalFeatures::showDecoded(const image::OptionalFeaturesValues& values) {
    image::EditorValues all;
    all.Form3 = values;
    forImageSettings([&](const settings::Setting& setting) {
        if (setting.kind == settings::Kind::Text)
            showText(findChild<QLineEdit*>(setting.control),
                     QString::fromStdString(settings::textOf(setting, all)));
        else if (const auto position = settings::positionOf(setting, all))
            setListPosition(setting.control, *position);
    });
}

void OptionalFeatures::showText(QLineEdit* box, const QString& text) {
    m_entryFilters.value(box)->showText(text);
}

void OptionalFeatures::commitPendingEntry() {
    for (auto it = m_entryFilters.cbegin(); it != m_entryFilters.cend(); ++it)
        if (it.key()->hasFocus())
            it.value()->runLeaveCheck();
}

} // namespace editors
