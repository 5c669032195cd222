#pragma once

#include <QString>

namespace shell {

// Opens PL482.CHM in `programFolder` with the desktop's handler for it. A
// missing file or a missing handler is the desktop's to report; nothing is
// shown here.
void openHelpFile(const QString& programFolder);

} // namespace shell
