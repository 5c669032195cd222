// A transfer's progress on the terminal: a bar redrawn in place when the
// stream is a terminal, otherwise a plain line at every tenth, so a log
// or a pipe gets a few readable lines instead of carriage returns.
#pragma once

#include <cstdio>
#include <string>

namespace cli {

class TerminalProgress {
  public:
    TerminalProgress(std::FILE* stream, bool terminal) : m_stream(stream), m_terminal(terminal) {}

    // The transfer's name ("reading") and the bar's range.
    void begin(const std::string& label, int minimum, int maximum);
    // A value above the maximum leaves the bar as it was.
    void update(int value);
    // Shows 100 % for a transfer that completed, and ends the bar's line so
    // that whatever is printed next stands on a line of its own.
    void end(bool completed);

  private:
    void show(int percent);

    std::FILE* m_stream;
    bool m_terminal;
    std::string m_label;
    int m_minimum = 0;
    int m_maximum = 100;
    int m_shown = -1; // the percentage on screen, -1 before the first
    bool m_running = false;
};

} // namespace cli
