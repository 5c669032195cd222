#pragma once

#include <QPixmap>

namespace shell {

// The About box's picture of the TQ-305, drawn in the colours of the
// program's icon, `height` pixels high (the width follows).
QPixmap productPicture(int height, qreal devicePixelRatio = 1.0);

} // namespace shell
