#pragma once

class QWidget;

namespace shell {

// Rewrites every window text under `mainWindow` in the language of
// UILanguage (0 Chinese, 1 English; any other value writes nothing).
// A list entry is written by position: the selection stays, and writing
// the entry just past the end appends it. Targets that do not exist are
// skipped.
void ApplyLanguage(QWidget* mainWindow);

} // namespace shell
