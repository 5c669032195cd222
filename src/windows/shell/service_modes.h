#pragma once

#include <QHash>
#include <QObject>
#include <array>
#include <cstdint>

class QWidget;

namespace shell {

enum class ServiceMode { ForceWrite, Debug };

// The two hidden service modes: three caption labels of the optional
// features window, clicked within about five seconds, switch a mode on; two
// clicks within a second on its tool bar button switch it off. The mode
// flags themselves are the program-wide ForceWriteMode and DebugMode.
class ServiceModes : public QObject {
    Q_OBJECT
  public:
    static constexpr int MarkCount = 3;
    static constexpr double WindowSeconds = 5.0;
    static constexpr double DoubleClickSeconds = 1.0;

    // One mode's click state: ForceWriteMarks / DebugMarks, the window start
    // and the last tool bar click (whole seconds since midnight; 0 = none).
    struct Sequence {
        std::array<bool, MarkCount> marks{};
        std::int32_t windowStart = 0;
        std::int32_t buttonTime = 0;
    };

    explicit ServiceModes(QObject* parent = nullptr);

    // The labels of the optional features window that unlock `mode`, in
    // mark order.
    static std::array<const char*, MarkCount> unlockLabels(ServiceMode mode);

    // Watches the unlock labels under `form` for mouse clicks.
    void watchLabels(QWidget* form);

    void labelClicked(ServiceMode mode, int mark);
    void toolbarButtonClicked(ServiceMode mode);

    const Sequence& sequence(ServiceMode mode) const;

  signals:
    // The mode is on (shown again at every accepted label click) or was
    // switched off: its tool bar button and, for Debug, the sliders follow.
    void modeShown(shell::ServiceMode mode, bool on);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Sequence& state(ServiceMode mode);

    Sequence m_forceWrite;
    Sequence m_debug;
    struct LabelMark {
        ServiceMode mode;
        int mark;
    };
    QHash<QObject*, LabelMark> m_labels;
};

} // namespace shell
