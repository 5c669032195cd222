#include "editors/channel_table.h"

#include "editors/channel_grid.h"
#include "editors/frequency_box.h"
#include "editors/overlay_list.h"
#include "editors/twips.h"
#include "ui/apply_language.h"
#include "words/editor_texts.h"
#include "words/program_flags.h"
#include "words/setting_texts.h"
#include "words/tone_texts.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace editors {

namespace {

constexpr int WindowWidth = 10000, WindowHeight = 7200;
constexpr int GridLeft = 180, GridTop = 180, GridWidth = 9165, GridHeight = 6045;
constexpr std::array<int, ChannelGrid::Cols> ColumnWidths{600, 1100, 1100, 1150, 1150,
                                                          600, 1350, 950,  810};
constexpr int PanelMargin = 2; // pixels beyond the grid's right and bottom edges

} // namespace

ChannelTable::ChannelTable(const image::BandLimits& band, QWidget* parent)
    : QWidget(parent), m_band(band) {
    setObjectName("Form1");

    // Everything sits on one panel that scrolls when the window is smaller.
    picClient = new QWidget;
    picClient->setObjectName("picClient");
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("cScrollBars");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(picClient);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

    buildGrid();
    buildOverlays();
    buildOperations();
    // Caption, headers and the lists' language entries, in the language in
    // force; then the tones, which every language shares.
    ui::applyLanguageTable(this, ChannelTableTexts, ui::UILanguage);
    ui::applyLanguageTable(this, settingTexts("Form1"), ui::UILanguage);
    Combo1->addItems(toneTexts());
    StartForm();
    picClient->setFixedSize(Grid1->geometry().right() + 1 + PanelMargin,
                            Grid1->geometry().bottom() + 1 + PanelMargin);
}

QSize ChannelTable::initialWindowSize() {
    return {twips(WindowWidth), twips(WindowHeight)};
}

void ChannelTable::buildGrid() {
    Grid1 = new ChannelGrid(picClient);
    Grid1->setObjectName("Grid1");
    Grid1->setGeometry(twips(GridLeft), twips(GridTop), twips(GridWidth), twips(GridHeight));
    for (int col = 0; col < ChannelGrid::Cols; ++col)
        Grid1->setColumnWidth(col, twips(ColumnWidths[col]));
    Grid1->selectCell(1, RxCol);
    // The window's keyboard focus is the grid's: from the start, the first
    // channel's cell takes the keys.
    setFocusProxy(Grid1);
    connect(Grid1, &ChannelGrid::editRequested, this, [this] {
        GridClickArmed = true;
        Grid1_Click();
    });
    // The first character typed opens a frequency cell's box and goes into
    // it, replacing the old value; a list's cell takes no typing.
    connect(Grid1, &ChannelGrid::typedOnCell, this,
            [this](int key, Qt::KeyboardModifiers modifiers, const QString& text) {
                if (Grid1->Col() != RxCol && Grid1->Col() != TxCol &&
                    !Grid1->TextMatrix(Grid1->Row(), RxCol).isEmpty())
                    return;
                GridClickArmed = true;
                Grid1_Click();
                if (m_openOverlay != Text1)
                    return;
                QKeyEvent typed(QEvent::KeyPress, key, modifiers, text);
                QCoreApplication::sendEvent(Text1, &typed);
            });
    // The overlays stay where they are while the rows scroll under them:
    // scrolling leaves the cell, as a click elsewhere does.
    connect(Grid1->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
        if (m_openOverlay == Text1)
            Text1_LostFocus();
        else
            closeOverlay();
    });
}

OverlayList* ChannelTable::makeList(const char* name) {
    auto* list = new OverlayList(picClient);
    list->setObjectName(name);
    list->hide();
    connect(list, &QComboBox::activated, this,
            [this, list](int position) { onListChosen(list, position); });
    connect(list, &OverlayList::focusLost, this, [this, list] {
        if (m_openOverlay == list) // left without a choice
            closeOverlay();
    });
    connect(list, &OverlayList::escapePressed, this, &ChannelTable::closeOverlay);
    return list;
}

void ChannelTable::buildOverlays() {
    Text1 = new FrequencyBox(picClient);
    Text1->setObjectName("Text1");
    Text1->hide();
    connect(Text1, &FrequencyBox::focusLost, this, &ChannelTable::Text1_LostFocus);
    // Enter hands the focus back to the grid, which commits the entry.
    connect(Text1, &FrequencyBox::enterPressed, this, [this] { Grid1->setFocus(); });
    connect(Text1, &FrequencyBox::escapePressed, this, &ChannelTable::closeOverlay);

    Combo1 = makeList("Combo1");
    for (int col = FirstFlagCol; col <= LastFlagCol; ++col)
        m_combo5[static_cast<size_t>(col - FirstFlagCol)] =
            makeList(("Combo5_" + QByteArray::number(col)).constData());
}

OverlayList* ChannelTable::Combo5(int col) const {
    return m_combo5[static_cast<size_t>(col - FirstFlagCol)];
}

OverlayList* ChannelTable::listFor(int col) const {
    if (col == RxToneCol || col == TxToneCol)
        return Combo1;
    if (col >= FirstFlagCol && col <= LastFlagCol)
        return Combo5(col);
    return nullptr;
}

QString ChannelTable::cellText(int row, int col) const {
    return Grid1->TextMatrix(row, col);
}

void ChannelTable::setFreq(int n, int col, const QString& freq) {
    Grid1->setTextMatrix(n, col, freq);
    m_tables.ChannelFreqText(n, col) = freq.toStdString();
}

// A list column's cell shows the list's entry at `position` and remembers it.
void ChannelTable::setListCell(int n, int col, int position) {
    Grid1->setTextMatrix(n, col, listFor(col)->itemText(position));
    m_tables.ChannelListIndex(n, col) = position;
}

void ChannelTable::ClearNO(int n) {
    if (!isChannel(n))
        return;
    for (int col = RxCol; col <= LastFlagCol; ++col)
        Grid1->setTextMatrix(n, col, QString());
    m_tables.row(n) = {};
}

void ChannelTable::ClearGrid() {
    closeOverlay();             // an entry pending over the old table is dropped with it
    Grid1->setSelectedRows({}); // and so are the picked rows
    for (int n = 1; n <= ChannelCount; ++n)
        ClearNO(n);
}

void ChannelTable::StartForm() {
    Combo1->setCurrentIndex(0);
    for (OverlayList* member : m_combo5)
        member->setCurrentIndex(1);
    ClearGrid();
}

void ChannelTable::RefreshGrid() {
    for (int n = 1; n <= ChannelCount; ++n) {
        const image::ChannelRow& row = m_tables.row(n);
        if (row.isEmpty()) {
            ClearNO(n);
            continue;
        }
        Grid1->setTextMatrix(n, RxCol, QString::fromStdString(row.freqText[0]));
        Grid1->setTextMatrix(n, TxCol, QString::fromStdString(row.freqText[1]));
        for (int col = RxToneCol; col <= LastFlagCol; ++col)
            setListCell(n, col, m_tables.ChannelListIndex(n, col));
    }
}

void ChannelTable::showDecodedChannel(int n, const image::ChannelRow& row) {
    if (!isChannel(n))
        return;
    if (row.isEmpty()) {
        ClearNO(n);
        return;
    }
    setFreq(n, RxCol, QString::fromStdString(row.freqText[0]));
    setFreq(n, TxCol, QString::fromStdString(row.freqText[1]));
    for (int col : {RxToneCol, TxToneCol}) {
        const std::string& tone = row.toneText[static_cast<size_t>(col - RxToneCol)];
        const int position = row.listIndex[static_cast<size_t>(col - RxToneCol)];
        if (tone.empty()) { // no tone
            setListCell(n, col, 0);
        } else {
            // A code outside the tone table still shows its text, at position 0.
            Grid1->setTextMatrix(n, col, QString::fromStdString(tone));
            m_tables.ChannelListIndex(n, col) = position;
        }
        m_tables.ChannelToneText(n, col) = tone;
    }
    for (int col = FirstFlagCol; col <= LastFlagCol; ++col) {
        const int value = row.listIndex[static_cast<size_t>(col - RxToneCol)];
        if (value == 0 || value == 1)
            setListCell(n, col, value);
    }
}

void ChannelTable::showDecodedChannels(const image::ChannelTableValues& values) {
    closeOverlay(); // an entry pending over the old table is dropped with it
    for (int n = 1; n <= ChannelCount; ++n)
        showDecodedChannel(n, values.row(n));
}

void ChannelTable::setChannels(const image::ChannelTableValues& values) {
    showDecodedChannels(values);
    // Showing leaves out what a list cannot show (a flag outside its list);
    // the tables keep it all the same.
    m_tables = values;
}

void ChannelTable::replaceChannels(const image::ChannelTableValues& values) {
    if (values == m_tables)
        return; // no step of the history for nothing
    setChannels(values);
    emit edited();
}

} // namespace editors
