#include "platform/interrupt_notifier.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace ui {

namespace {

// The handler may only write to a descriptor; the event loop reads the other end.
int signalPipe[2] = {-1, -1};

void onSignal(int signal) {
    const char byte = char(signal);
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[0], &byte, 1);
}

void handle(int signal, void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(signal, &action, nullptr);
}

// A closed terminal or a dropped remote session (SIGHUP) and Ctrl+\ (SIGQUIT)
// must not leave the radio in clone mode any more than Ctrl+C does.
constexpr int EndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

} // namespace

InterruptNotifier::InterruptNotifier(QObject* parent) : QObject(parent) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return; // Ctrl+C then simply ends the process, as before
    m_notifier = new QSocketNotifier(signalPipe[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(signalPipe[1], &byte, 1);
        emit interrupted(byte);
    });
    for (int signal : EndingSignals)
        handle(signal, onSignal);
}

InterruptNotifier::~InterruptNotifier() {
    if (!m_notifier)
        return;
    for (int signal : EndingSignals)
        handle(signal, SIG_DFL);
    delete m_notifier;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

HeldInterrupts::HeldInterrupts() {
    sigset_t ending;
    sigemptyset(&ending);
    for (int signal : EndingSignals)
        sigaddset(&ending, signal);
    m_held = ::sigprocmask(SIG_BLOCK, &ending, &m_before) == 0;
}

HeldInterrupts::~HeldInterrupts() {
    release();
}

int HeldInterrupts::release() {
    if (!m_held)
        return 0;
    m_held = false;
    sigset_t waiting;
    sigemptyset(&waiting);
    ::sigpending(&waiting);
    int taken = 0;
    for (int signal : EndingSignals) {
        // Held before this hold began: the outer hold's to take.
        if (!sigismember(&waiting, signal) || sigismember(&m_before, signal))
            continue;
        sigset_t one;
        sigemptyset(&one);
        sigaddset(&one, signal);
        const timespec now{};
        if (::sigtimedwait(&one, nullptr, &now) == signal && !taken)
            taken = signal;
    }
    ::sigprocmask(SIG_SETMASK, &m_before, nullptr);
    return taken;
}

} // namespace ui
