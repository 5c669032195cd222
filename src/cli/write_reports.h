// How `tq305 write` shows its radios at work on the standard error: one
// radio as a bar per stage (backing up, writing, verifying) and its lines;
// several as one status line each, redrawn in place on a terminal, or as
// plain lines at every tenth when the stream is a log or a pipe.
#pragma once

#include "cli/radio_write.h"
#include "cli/terminal_progress.h"

#include <cstdio>
#include <string>
#include <vector>

namespace cli {

class SingleReport : public WriteReport {
  public:
    SingleReport(std::FILE* stream, bool terminal) : m_stream(stream), m_bar(stream, terminal) {}

    void progress(const RadioWrite& radio, const radiolink::SafeWriteProgress& progress) override;
    void say(const RadioWrite& radio, const std::string& line) override;
    // Ends the last bar, full when the write completed.
    void close(bool completed) { m_bar.end(completed); }

  private:
    std::FILE* m_stream;
    TerminalProgress m_bar;
    radiolink::SafeWriteStage m_stage = radiolink::SafeWriteStage::Idle;
};

class BatchReport : public WriteReport {
  public:
    BatchReport(std::FILE* stream, bool terminal) : m_stream(stream), m_terminal(terminal) {}

    // In the order of the status lines.
    void add(const RadioWrite& radio);

    void progress(const RadioWrite& radio, const radiolink::SafeWriteProgress& progress) override;
    void say(const RadioWrite& radio, const std::string& line) override;
    // A radio's last status (its result in a few words), and on a terminal
    // the lines it said meanwhile, now below the status lines.
    void ended(const RadioWrite& radio, const std::string& summary);
    void close();

  private:
    std::size_t indexOf(const RadioWrite& radio) const;
    void redraw();

    std::FILE* m_stream;
    bool m_terminal;
    std::vector<const RadioWrite*> m_radios;
    std::vector<std::string> m_status;
    std::vector<int> m_shownTenth;
    std::vector<std::string> m_held; // said on a terminal, shown at the end
    bool m_drawn = false;
};

// "backing up", "writing", "verifying"; empty for the confirmation.
std::string stageName(radiolink::SafeWriteStage stage);

} // namespace cli
