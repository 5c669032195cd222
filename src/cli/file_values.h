// What the program's windows hold after New or after opening a data file,
// worked out from the image codec's values without building a window, for
// the commands that only read or write files.
#pragma once

#include "files/dat_file.h"
#include "image/editor_values.h"

namespace cli {

// New, then `bandCode` chosen in the band list: every window's defaults,
// the full-band frequency on that band's centre.
image::EditorValues newFileValues(int bandCode);

// The program as it starts, then `file` opened: its band selected (the
// default band when it names none) and its image decoded into the windows,
// whose lists keep their position where the image gives one they lack.
image::EditorValues openedFileValues(const files::DatFile& file);

} // namespace cli
