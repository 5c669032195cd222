#pragma once

#include "link/link_engine.h"

namespace shell {

class MainWindow;
class ProgressWindow;

// The windows' side of a transfer: FrmWriting, the message boxes, the band
// list, the channel table's open entry and the main window's image
// operations.
class WindowTransferView final : public radiolink::TransferView {
  public:
    WindowTransferView(MainWindow& window, ProgressWindow& progress);

    void commitPendingEntry() override;
    void showProgress(radiolink::TransferKind kind, int minimum, int maximum) override;
    void setProgress(int value) override;
    void closeProgress() override;
    void showMessage(radiolink::LinkMessage message) override;
    bool confirmForcedWrite() override;
    int selectedBand() const override;
    void selectBandFromRadio(int band) override;
    void encodeImage() override;
    void decodeImage() override;

  private:
    MainWindow& m_window;
    ProgressWindow& m_progress;
};

} // namespace shell
