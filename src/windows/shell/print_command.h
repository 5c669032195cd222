#pragma once

namespace shell {

class MainWindow;

// MNPrint: the programmed data in the modal print preview, built from the
// windows as they stand; the channel grid does not repaint meanwhile.
void showPrintPreview(MainWindow& window);

} // namespace shell
