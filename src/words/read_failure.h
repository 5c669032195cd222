#pragma once

#include "files/file_io.h"

#include <QString>

namespace ui {

// Tells the user, in the language in force, that `path` could not be read
// and why; nothing is shown for a read that succeeded.
void reportReadFailure(const QString& path, files::FileError error, int systemError);

} // namespace ui
