#include "editors/band_list.h"

namespace editors {

void BandList::showPopup() {
    emit listOpened();
    QComboBox::showPopup();
}

} // namespace editors
