#pragma once

#include "cli/window_dump.h"
#include "image/editor_values.h"

namespace cli {

// What `window` shows of `values` in `language`, control by control in the
// window's order, made from the settings catalogue: each setting the window
// shows with its caption, a table for the settings of a table's columns.
QList<ControlValue> windowControls(const image::EditorValues& values, const char* window,
                                   int language);

// The band list's entry for the values' band.
QString bandText(const image::EditorValues& values, int language);

} // namespace cli
