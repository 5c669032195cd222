#include "cli/terminal_progress.h"

namespace cli {

namespace {
constexpr int BarWidth = 40;
constexpr int PlainStep = 10; // percent between two plain lines
} // namespace

void TerminalProgress::begin(const std::string& label, int minimum, int maximum) {
    m_label = label;
    m_minimum = minimum;
    m_maximum = maximum > minimum ? maximum : minimum + 1;
    m_shown = -1;
    m_running = true;
    show(0);
}

void TerminalProgress::update(int value) {
    if (!m_running || value < m_minimum || value > m_maximum)
        return;
    show((value - m_minimum) * 100 / (m_maximum - m_minimum));
}

void TerminalProgress::end(bool completed) {
    if (!m_running)
        return;
    if (completed)
        show(100);
    if (m_terminal)
        std::fputc('\n', m_stream);
    std::fflush(m_stream);
    m_running = false;
}

void TerminalProgress::show(int percent) {
    if (m_terminal) {
        if (percent == m_shown)
            return;
        const int filled = percent * BarWidth / 100;
        std::fprintf(m_stream, "\r%s [%s%s] %3d%%", m_label.c_str(),
                     std::string(std::size_t(filled), '#').c_str(),
                     std::string(std::size_t(BarWidth - filled), '.').c_str(), percent);
    } else {
        // Only the tenths, each once.
        const int step = percent / PlainStep * PlainStep;
        if (step <= m_shown)
            return;
        percent = step;
        std::fprintf(m_stream, "%s: %d%%\n", m_label.c_str(), percent);
    }
    std::fflush(m_stream);
    m_shown = percent;
}

} // namespace cli
