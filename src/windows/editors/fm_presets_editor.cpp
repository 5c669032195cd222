#include "editors/fm_presets_editor.h"

#include "editors/character_filter.h"
#include "editors/twips.h"
#include "image/image_layout.h"
#include "settings/catalogue.h"
#include "settings/fm_entry.h"
#include "ui/font_fallback.h"
#include "words/chinese_window_texts.h"
#include "words/setting_texts.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>

namespace editors {

namespace {

constexpr int PresetColumn = 1;
constexpr int FieldsLeft = 5600; // twips, like every position below
constexpr int FieldsWidth = 2250;
constexpr int FieldRowStep = 720;
constexpr int RefusalBesideGridLeft = 3615;
constexpr int RefusalNearText2Left = 5600;
constexpr int RefusalNearText2Top = 100;

// Focus that leaves with the window or into a popup (a context menu, a list)
// comes back to the box: that is not leaving the entry.
bool leavesEntry(const QEvent* event) {
    const auto reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

QString utf8(const char* text) {
    return QString::fromUtf8(text);
}

} // namespace

FmPresetsEditor::FmPresetsEditor(QWidget* parent) : QWidget(parent) {
    setObjectName("Form5");
    ui::deferFontFallback(this);
    setWindowTitle("Form5");
    m_filter = new CharacterFilter(frequencyKey, 0, this);
    createGrid();
    createFields();
}

QSize FmPresetsEditor::sizeHint() const {
    return {twips(8100), twips(4800)};
}

void FmPresetsEditor::createGrid() {
    MSFGrid = new QTableWidget(image::FmPresetCount + 1, 2, this);
    MSFGrid->setObjectName("MSFGrid");
    MSFGrid->setGeometry(twips(240), twips(240), twips(3375), twips(3975));
    MSFGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MSFGrid->verticalHeader()->hide();
    MSFGrid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    MSFGrid->verticalHeader()->setDefaultSectionSize(twips(300));
    QHeaderView* header = MSFGrid->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    MSFGrid->setColumnWidth(0, twips(900));
    MSFGrid->setColumnWidth(PresetColumn, twips(2200));

    auto addCell = [this](int row, int column, const QString& text, Qt::ItemFlags flags) {
        auto* item = new QTableWidgetItem(text);
        item->setTextAlignment(Qt::AlignCenter);
        item->setFlags(flags);
        MSFGrid->setItem(row, column, item);
        return item;
    };
    const QStringList titles{utf8(fm::NumberColumnTitle), designCaption("Form5", "MSFGrid")};
    for (int column = 0; column < titles.size(); ++column)
        addCell(0, column, titles[column], Qt::ItemIsEnabled);
    MSFGrid->setHorizontalHeaderLabels(titles);
    MSFGrid->setRowHidden(0, true);
    for (int row = 1; row <= image::FmPresetCount; ++row) {
        addCell(row, 0, QString::number(row), Qt::ItemIsEnabled)
            ->setBackground(palette().brush(QPalette::Button));
        addCell(row, PresetColumn, QString(), Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    }
    connect(MSFGrid, &QTableWidget::cellClicked, this, [this](int row, int) { openEditor(row); });
    MSFGrid->installEventFilter(this);

    // A child of the viewport, so it scrolls with the cell it covers.
    Text1 = createFrequencyBox("Text1", MSFGrid->viewport());
    Text1->setAlignment(Qt::AlignCenter);
    Text1->hide();

    Label2 = new QLabel(utf8("超出频率范围(70-107.95)，请重输。"), this);
    Label2->setObjectName("Label2");
    Label2->setWordWrap(true);
    Label2->setGeometry(twips(RefusalBesideGridLeft), twips(240), twips(1950), twips(750));
    QPalette refusalColours = Label2->palette(); // a style sheet would cost the start-up dearly
    refusalColours.setColor(QPalette::WindowText, Qt::red);
    Label2->setPalette(refusalColours);
    Label2->installEventFilter(this);
    Label2->hide();
}

void FmPresetsEditor::createFields() {
    auto* label = new QLabel(designCaption("Form5", "Text2"), this);
    label->setObjectName("LabelText2");
    label->setGeometry(twips(FieldsLeft), twips(840), twips(FieldsWidth), twips(270));
    Text2 = createFrequencyBox("Text2", this);
    Text2->setGeometry(twips(FieldsLeft), twips(1110), twips(FieldsWidth), twips(360));
    label->setBuddy(Text2);

    for (int member = 0; member < ListCount; ++member)
        createList(member, 840 + (member + 1) * FieldRowStep);

    Command1 = new QPushButton(utf8("确定"), this);
    Command1->setObjectName("Command1");
    Command1->setGeometry(twips(FieldsLeft), twips(3855), twips(1215), twips(360));
    connect(Command1, &QPushButton::clicked, this, &FmPresetsEditor::hideWindow);
}

QLineEdit* FmPresetsEditor::createFrequencyBox(const char* name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setValidator(m_filter);
    box->installEventFilter(this);
    return box;
}

QComboBox* FmPresetsEditor::createList(int member, int top) {
    const QString name = QString("Combo1_%1").arg(member);
    const settings::Setting& setting = *settings::settingOf("Form5", name.toStdString());
    auto* label = new QLabel(utf8(setting.caption.zh), this);
    label->setObjectName("Label" + name);
    label->setGeometry(twips(FieldsLeft), twips(top), twips(FieldsWidth), twips(270));

    auto* list = new QComboBox(this);
    list->setObjectName(name);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    for (const settings::Texts& entry : setting.entries)
        list->addItem(utf8(entry.zh));
    list->setCurrentIndex(setting.newPosition);
    list->setGeometry(twips(FieldsLeft), twips(top + 270), twips(FieldsWidth), twips(360));
    label->setBuddy(list);
    // A typed text that names an entry selects it; any other text gives way
    // to the selected entry, so the list always holds a position.
    connect(list->lineEdit(), &QLineEdit::editingFinished, list, [list] {
        const QString selected = list->itemText(list->currentIndex());
        if (list->lineEdit()->text() != selected)
            list->setEditText(selected);
    });
    connect(list, &QComboBox::activated, this, &FmPresetsEditor::edited);
    connect(list->lineEdit(), &QLineEdit::editingFinished, this, &FmPresetsEditor::edited);
    Combo1[member] = list;
    return list;
}

void FmPresetsEditor::openEditor(int row) {
    if (row < 1 || row > image::FmPresetCount)
        return;
    // Only the preset column is editable, whichever cell of the row was hit.
    FmEditRow = row;
    FmEditCol = PresetColumn;
    MSFGrid->setCurrentCell(FmEditRow, FmEditCol);
    const QRect cell = MSFGrid->visualRect(MSFGrid->model()->index(FmEditRow, FmEditCol));
    Text1->setGeometry(cell);
    Label2->move(twips(RefusalBesideGridLeft),
                 MSFGrid->viewport()->mapTo(this, cell.topLeft()).y());
    Text1->setText(presetText(FmEditRow));
    Text1->show();
    Text1->raise();
    Text1->setFocus();
}

void FmPresetsEditor::commitText1() {
    if (FmEditRow >= 1 && !storePreset(FmEditRow, checkFmPreset(Text1->text().toStdString())))
        showRefusal();
    emit edited();
}

void FmPresetsEditor::commitText2() {
    if (!storeFullBand(checkFmFullBand(Text2->text().toStdString()))) {
        showRefusal();
        Label2->move(twips(RefusalNearText2Left), twips(RefusalNearText2Top));
    }
    emit edited();
}

// A refused or meaningless entry leaves the value as it was, and the box
// shows the value held: Text1 stays over its cell after the entry.
bool FmPresetsEditor::storePreset(int row, const FmEntry& entry) {
    QTableWidgetItem* cell = MSFGrid->item(row, PresetColumn);
    if (entry.verdict == FmEntry::Empty)
        cell->setText(QString());
    else if (entry.verdict == FmEntry::Accepted)
        cell->setText(QString::fromStdString(entry.text));
    if (row == FmEditRow)
        Text1->setText(cell->text());
    return entry.verdict != FmEntry::OutOfRange;
}

// A refused full-band value empties the box: the radio then keeps no
// full-band frequency rather than one the user meant to replace.
bool FmPresetsEditor::storeFullBand(const FmEntry& entry) {
    if (entry.verdict == FmEntry::Empty || entry.verdict == FmEntry::OutOfRange)
        m_fullBandText.clear();
    else if (entry.verdict == FmEntry::Accepted)
        m_fullBandText = QString::fromStdString(entry.text);
    Text2->setText(m_fullBandText);
    return entry.verdict != FmEntry::OutOfRange;
}

void FmPresetsEditor::showRefusal() {
    Label2->show();
    Label2->raise();
}

// Clicking the message takes it away and empties the preset box, so a value
// still waiting there is erased with it.
void FmPresetsEditor::dismissRefusal() {
    Label2->hide();
    Text1->clear();
}

void FmPresetsEditor::hideWindow() {
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->hide();
    else
        hide();
}

bool FmPresetsEditor::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::FocusOut:
        if (watched == Text1 && leavesEntry(event))
            commitText1();
        else if (watched == Text2 && leavesEntry(event))
            commitText2();
        break;
    case QEvent::MouseButtonPress:
        if (watched == Label2) {
            dismissRefusal();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
        // Enter hands the focus to the grid, which commits the entry.
        if ((watched == Text1 || watched == Text2) && enter) {
            MSFGrid->setFocus();
            return true;
        }
        if (watched == MSFGrid && (enter || key == Qt::Key_F2)) {
            openEditor(MSFGrid->currentRow());
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

QString FmPresetsEditor::presetText(int row) const {
    if (row < 1 || row > image::FmPresetCount)
        return {};
    return MSFGrid->item(row, PresetColumn)->text();
}

void FmPresetsEditor::setPresetText(int row, const QString& text) {
    if (row >= 1 && row <= image::FmPresetCount)
        storePreset(row, checkFmPreset(m_filter->filtered(text).toStdString()));
}

int FmPresetsEditor::listPosition(int member) const {
    return member >= 0 && member < ListCount ? Combo1[member]->currentIndex() : -1;
}

void FmPresetsEditor::setListPosition(int member, int position) {
    if (member >= 0 && member < ListCount && position >= 0 && position < Combo1[member]->count())
        Combo1[member]->setCurrentIndex(position);
}

QString FmPresetsEditor::fullBandText() const {
    return m_fullBandText;
}

void FmPresetsEditor::setFullBandText(const QString& text) {
    storeFullBand(checkFmFullBand(m_filter->filtered(text).toStdString()));
}

} // namespace editors
