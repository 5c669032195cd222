#pragma once

#include "image/band_limits.h"
#include "words/band_entries.h"

#include <QObject>

namespace editors {

class BandList;

// The band selection of the main window: the eight band variants of the
// radio in the band list (band_entries.h), whose position is the band code.
// The limits in BandLimits always follow the selected entry's text. A change
// the user makes from the opened list empties the channel table after a
// question; a change made by the program only recomputes the limits.
class BandSelection : public QObject {
    Q_OBJECT
  public:
    static constexpr int BandCount = bands::Count;
    static constexpr int DefaultBand = bands::DefaultCode;

    // Fills the list and selects the default band without a question.
    BandSelection(BandList* list, image::BandLimits& limits, QObject* parent = nullptr);

    // The band code: the selected list position.
    int bandCode() const;
    // The selected entry's text, as the list shows it.
    QString bandText() const;
    // The band list's entries, as band_entries.h tells them.
    static QString entryText(int code) { return bands::entryText(code); }
    static image::BandLimits limitsOfCode(int code) { return bands::limitsOfCode(code); }

    // Selects a band from the program (a radio's ident, a file): no question,
    // the channels stay. A code the list lacks changes nothing; returns
    // whether the code was a band.
    bool selectBandCode(int code);

    // New: back to the default band, no question, the channels stay.
    void ResetBand();

    int BandPrevIndex = DefaultBand;
    bool BandPickPending = false;

  signals:
    // A hand-made band change was confirmed: the channels must go.
    void clearChannelsRequested();
    // ... and the full-band frequency becomes the band centre ("0.00000").
    void bandCentreChanged(const QString& centreText);
    // The hand-made change is complete: the band, the emptied table and the
    // centre are in place.
    void edited();

  private:
    void onListOpened();
    void onSelectionChanged();
    void recomputeLimits();

    BandList* m_list;
    image::BandLimits& m_limits;
};

} // namespace editors
