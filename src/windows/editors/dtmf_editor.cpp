#include "editors/dtmf_editor.h"

#include "editors/character_filter.h"
#include "editors/entry_filter.h"
#include "editors/twips.h"
#include "image/dtmf_text.h"
#include "image/image_layout.h"
#include "settings/catalogue.h"
#include "ui/font_fallback.h"
#include "words/chinese_window_texts.h"
#include "words/setting_texts.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace editors {

namespace {

constexpr int DialMemoryLength = 16;
constexpr int PttIdLength = static_cast<int>(image::DtmfPttIdLength);
constexpr int OwnCodeLength = static_cast<int>(image::DtmfOwnCodeLength);

} // namespace

DtmfEditor::~DtmfEditor() {
    detachControls(*this);
}

DtmfEditor::DtmfEditor(QWidget* parent) : QWidget(parent) {
    setObjectName("Form2");
    ui::deferFontFallback(this);
    setWindowTitle(QString::fromUtf8(dtmf::Title));

    // Everything sits on one client area that scrolls when the window is
    // smaller than it.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("ClientScroll");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* client = new QWidget;
    client->setObjectName("ClientArea");
    auto* column = new QVBoxLayout(client);
    column->setContentsMargins(6, 4, 2, 2);
    // Set before the controls exist: the scroll area measures what it is
    // given, and the controls' Chinese design texts are replaced by the
    // language in force before anything is laid out.
    scroll->setWidget(client);
    column->addWidget(Frame3 = createPageSwitch(client));
    column->addWidget(Frame1 = createDialMemories(client));
    column->addWidget(Frame2 = createOtherFunctions(client));
    column->addStretch();
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);

    Frame2->hide();
    Option1->setChecked(true);
    connect(Option1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            showDialMemories();
    });
    connect(Option2, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            showOtherFunctions();
    });

    StartForm();
}

QSize DtmfEditor::sizeHint() const {
    return {twips(5175), twips(4775)};
}

QFrame* DtmfEditor::createPageSwitch(QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName("Frame3");
    frame->setFrameShape(QFrame::NoFrame);
    Option1 = new QRadioButton(QString::fromUtf8("自动拨号存储器"), frame);
    Option1->setObjectName("Option1");
    Option2 = new QRadioButton(QString::fromUtf8("其他功能"), frame);
    Option2->setObjectName("Option2");
    auto* row = new QHBoxLayout(frame);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(Option1);
    row->addWidget(Option2);
    row->addStretch();
    return frame;
}

QGroupBox* DtmfEditor::createDialMemories(QWidget* parent) {
    auto* frame = new QGroupBox(parent);
    frame->setObjectName("Frame1");
    auto* form = new QFormLayout(frame);
    for (int i = 0; i < DialMemoryCount; ++i) {
        const QString box = QString("Text1_%1").arg(i);
        Label1[i] = new QLabel(designCaption("Form2", box.toUtf8().constData()), frame);
        Label1[i]->setObjectName(QString("Label1_%1").arg(i));
        Text1[i] = createCodeBox(box, DialMemoryLength, frame);
        Label1[i]->setBuddy(Text1[i]);
        form->addRow(Label1[i], Text1[i]);
    }
    return frame;
}

QGroupBox* DtmfEditor::createOtherFunctions(QWidget* parent) {
    auto* frame = new QGroupBox(parent);
    frame->setObjectName("Frame2");
    auto* form = new QFormLayout(frame);
    auto addRow = [&](const char* labelName, const char* control, QWidget* field) {
        auto* label = new QLabel(designCaption("Form2", control), frame);
        label->setObjectName(labelName);
        label->setBuddy(field);
        form->addRow(label, field);
    };
    auto newList = [&](const char* name) {
        auto* list = new QComboBox(frame);
        list->setObjectName(name);
        for (const settings::Texts& entry : settings::settingOf("Form2", name)->entries)
            list->addItem(QString::fromUtf8(entry.zh));
        return list;
    };

    Combo16 = newList("Combo16");
    addRow("Label16", "Combo16", Combo16);
    Combo17 = newList("Combo17");
    addRow("Label17", "Combo17", Combo17);
    Combo18 = newList("Combo18");
    addRow("Label18", "Combo18", Combo18);

    Text2 = createCodeBox("Text2", PttIdLength, frame);
    addRow("Label2", "Text2", Text2);
    Text3 = createCodeBox("Text3", OwnCodeLength, frame);
    addRow("Label3", "Text3", Text3);
    for (QLineEdit* code : {Text2, Text3})
        connect(code, &QLineEdit::editingFinished, this, &DtmfEditor::edited);
    return frame;
}

QLineEdit* DtmfEditor::createCodeBox(const QString& name, int maxLength, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setValidator(new CharacterFilter(image::dtmfKey, maxLength, box));
    // A full code stays readable; a narrower window scrolls instead.
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QString(maxLength + 1, u'D')));
    return box;
}

void DtmfEditor::showDialMemories() {
    Frame2->hide();
    Frame1->show();
    Text1[0]->setFocus();
}

void DtmfEditor::showOtherFunctions() {
    Frame1->hide();
    Frame2->show();
    Combo16->setFocus();
}

void DtmfEditor::StartForm() {
    for (QComboBox* list : {Combo16, Combo17, Combo18})
        list->setCurrentIndex(
            settings::settingOf("Form2", list->objectName().toStdString())->newPosition);
    for (QLineEdit* box : Text1)
        box->clear();
    Text2->clear();
    Text3->clear();
}

QString DtmfEditor::pttIdCode() const {
    return Text2->text();
}

void DtmfEditor::setPttIdCode(const QString& code) {
    setCode(Text2, code);
}

QString DtmfEditor::ownCode() const {
    return Text3->text();
}

void DtmfEditor::setOwnCode(const QString& code) {
    setCode(Text3, code);
}

void DtmfEditor::setCode(QLineEdit* box, const QString& code) {
    box->setText(static_cast<const CharacterFilter*>(box->validator())->filtered(code));
}

} // namespace editors
