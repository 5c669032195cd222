#include "editors/band_selection.h"

#include "editors/band_list.h"
#include "image/decimal_text.h"
#include "ui/message_box.h"
#include "ui/messages.h"

#include <array>

namespace editors {

namespace {

// The entries in code order; a position is a band code, so never re-sort.
// The texts are the only source of the limits.
constexpr std::array<const char*, BandSelection::BandCount> BandTexts{
    "136-174MHz", "240-260MHz", "350-390MHz", "400-480MHz",
    "400-420MHz", "450-470MHz", "440-480MHz", "450-490MHz",
};

// Characters 1..3 and 5..7 of an entry ("136-174MHz") are its limits.
image::BandLimits limitsOf(const QString& entry) {
    return {entry.mid(0, 3).toInt(), entry.mid(4, 3).toInt()};
}

QString centreText(const image::BandLimits& limits) {
    // (low + high) / 2 in tenths of a MHz, exactly.
    const auto centre = image::Decimal::fromScaled((limits.BandLow + limits.BandHigh) * 5, 1);
    return QString::fromStdString(centre.format(image::FrequencyPattern));
}

} // namespace

BandSelection::BandSelection(BandList* list, image::BandLimits& limits, QObject* parent)
    : QObject(parent), m_list(list), m_limits(limits) {
    for (const char* text : BandTexts)
        m_list->addItem(QString::fromLatin1(text));
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
        m_limits = limitsOf(m_list->currentText());
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
            emit bandCentreChanged(centreText(m_limits));
            BandPickPending = false;
            emit edited();
        } else {
            BandPickPending = false;
            m_list->setCurrentIndex(BandPrevIndex);
        }
    }
    BandPickPending = false;
}

QString BandSelection::entryText(int code) {
    if (code < 0 || code >= BandCount)
        return {};
    return QString::fromLatin1(BandTexts[std::size_t(code)]);
}

image::BandLimits BandSelection::limitsOfCode(int code) {
    const QString entry = entryText(code);
    return limitsOf(entry.isEmpty() ? entryText(DefaultBand) : entry);
}

QString BandSelection::bandText() const {
    return m_list->currentText();
}

} // namespace editors
