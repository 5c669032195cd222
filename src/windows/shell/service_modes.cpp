#include "shell/service_modes.h"

#include "shell/clock.h"
#include "words/program_flags.h"

#include <QLabel>
#include <QMouseEvent>
#include <algorithm>

namespace shell {

namespace {

bool& modeFlag(ServiceMode mode) {
    return mode == ServiceMode::ForceWrite ? ui::ForceWriteMode : ui::DebugMode;
}

} // namespace

ServiceModes::ServiceModes(QObject* parent) : QObject(parent) {}

std::array<const char*, ServiceModes::MarkCount> ServiceModes::unlockLabels(ServiceMode mode) {
    if (mode == ServiceMode::ForceWrite)
        return {"Label7", "Label8", "Label2"};
    return {"Label3", "Label31", "Label11"};
}

void ServiceModes::watchLabels(QWidget* form) {
    for (ServiceMode mode : {ServiceMode::ForceWrite, ServiceMode::Debug}) {
        const auto names = unlockLabels(mode);
        for (int mark = 0; mark < MarkCount; ++mark) {
            if (auto* label = form->findChild<QLabel*>(names[mark])) {
                label->installEventFilter(this);
                m_labels.insert(label, {mode, mark});
            }
        }
    }
}

bool ServiceModes::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const auto* label = qobject_cast<QWidget*>(watched);
        const auto found = m_labels.constFind(watched);
        if (found != m_labels.cend() && mouse->button() == Qt::LeftButton && label &&
            label->rect().contains(mouse->position().toPoint()))
            labelClicked(found->mode, found->mark);
    }
    return QObject::eventFilter(watched, event);
}

ServiceModes::Sequence& ServiceModes::state(ServiceMode mode) {
    return mode == ServiceMode::ForceWrite ? m_forceWrite : m_debug;
}

const ServiceModes::Sequence& ServiceModes::sequence(ServiceMode mode) const {
    return mode == ServiceMode::ForceWrite ? m_forceWrite : m_debug;
}

void ServiceModes::labelClicked(ServiceMode mode, int mark) {
    if (mark < 0 || mark >= MarkCount)
        return;
    Sequence& s = state(mode);
    const double now = timeOfDay();
    if (std::none_of(s.marks.begin(), s.marks.end(), [](bool m) { return m; }))
        s.windowStart = wholeSeconds(now);

    if (secondsSince(s.windowStart, now) > WindowSeconds) {
        // Too late for the current window: this click opens a new one.
        s.marks = {};
        s.marks[mark] = true;
        s.windowStart = wholeSeconds(now);
        return;
    }
    s.marks[mark] = true;
    bool& flag = modeFlag(mode);
    if (std::all_of(s.marks.begin(), s.marks.end(), [](bool m) { return m; }))
        flag = true;
    if (flag)
        emit modeShown(mode, true);
}

void ServiceModes::toolbarButtonClicked(ServiceMode mode) {
    Sequence& s = state(mode);
    const double now = timeOfDay();
    if (s.buttonTime != 0 && secondsSince(s.buttonTime, now) < DoubleClickSeconds) {
        s.buttonTime = 0;
        s.marks = {};
        modeFlag(mode) = false;
        emit modeShown(mode, false);
        return;
    }
    s.buttonTime = wholeSeconds(now);
}

} // namespace shell
