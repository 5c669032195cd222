#pragma once

class QWidget;

namespace ui {

// Lays out `window`'s texts without falling back to other fonts until the
// window is first shown. The editors are built at start with their Chinese
// design texts (the DTMF and FM windows keep them in every language), and
// laying those out would load the CJK font for windows an English user may
// never open.
void deferFontFallback(QWidget* window);

} // namespace ui
