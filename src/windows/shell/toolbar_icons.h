#pragma once

#include <QIcon>

namespace shell {

// The pictures of the tool bar buttons.
enum class ToolbarPicture { NewFile, OpenFile, SaveFile, ReadRadio, WriteRadio, Warning, Computer };

// A picture drawn at whatever size and mode it is asked for: nothing is
// decoded from image files while the program starts.
QIcon toolbarIcon(ToolbarPicture picture);

} // namespace shell
