#pragma once

#include <QStringList>

namespace editors {

// The tone table's 260 texts in table order, as the tone lists show them
// after their off entry.
QStringList toneTexts();

} // namespace editors
