#pragma once

#include <QIcon>

namespace shell {

// The program's icon, a handheld radio, drawn so no image file is needed.
QIcon appIcon();

} // namespace shell
