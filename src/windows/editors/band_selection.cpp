#include "editors/band_selection.h"

#include "editors/band_list.h"
#include "settings/feature_entries.h"
#include "words/message_box.h"
#include "words/messages.h"

namespace editors {

BandSelection::BandSelection(BandList* list, image::BandLimits& limits, QObject* parent)
    : QObject(parent), m_list(list), m_limits(limits) {
    for (int code = 0; code < BandCount; ++code)
        m_list->addItem(entryText(code));
    connect(m_list, &BandList::listOpened, this, &BandSelection::onListOpened);
    connect(m_list, &QComboBox::currentIndexChanged, this, &BandSelection::onSelectionChanged);
    // A choice of the band already shown changes no selection, yet it too
    // ends the opened list's pick.
    connect(m_list, &QComboBox::activated, this, [this] { BandPickPending = false; });
    BandPrevIndex = DefaultBand;
    BandPickPending = false;
    m_list->setCurrentIndex(DefaultBand);
    recomputeLimits();
}

int BandSelection::bandCode() const {
    return m_list->currentIndex();
}

bool BandSelection::selectBandCode(int code) {
    BandPickPending = false;
    if (code < 0 || code >= m_list->count())
        return false;
    m_list->setCurrentIndex(code);
    return true;
}

void BandSelection::ResetBand() {
    selectBandCode(DefaultBand);
}

void BandSelection::onListOpened() {
    BandPrevIndex = m_list->currentIndex();
    BandPickPending = true;
}

void BandSelection::recomputeLimits() {
    if (m_list->currentIndex() >= 0)
        m_limits = bands::limitsOfEntry(m_list->currentText());
}

void BandSelection::onSelectionChanged() {
    recomputeLimits();
    if (!BandPickPending)
        return;
    if (m_list->currentIndex() != BandPrevIndex) {
        m_list->hidePopup(); // the question must not sit under the open list
        if (ui::showMessage(ui::Msg::BandChangeConfirm) == ui::MsgOk) {
            recomputeLimits();
            emit clearChannelsRequested();
            emit bandCentreChanged(QString::fromStdString(features::bandCentreText(m_limits)));
            BandPickPending = false;
            emit edited();
        } else {
            BandPickPending = false;
            m_list->setCurrentIndex(BandPrevIndex);
        }
    }
    BandPickPending = false;
}

QString BandSelection::bandText() const {
    return m_list->currentText();
}

} // namespace editors
