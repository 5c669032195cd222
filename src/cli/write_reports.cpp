#include "cli/write_reports.h"

#include <algorithm>

namespace cli {

using radiolink::SafeWriteStage;

std::string stageName(SafeWriteStage stage) {
    switch (stage) {
    case SafeWriteStage::Backup:
        return "backing up";
    case SafeWriteStage::Write:
        return "writing";
    case SafeWriteStage::Verify:
        return "verifying";
    case SafeWriteStage::Idle:
    case SafeWriteStage::Confirmation:
        break;
    }
    return {};
}

void SingleReport::progress(const RadioWrite&, const radiolink::SafeWriteProgress& progress) {
    if (progress.stage != m_stage) {
        m_bar.end(true);
        m_stage = progress.stage;
        const std::string name = stageName(progress.stage);
        if (!name.empty())
            m_bar.begin(name, 0, 100);
    }
    m_bar.update(progress.stagePercent);
}

void SingleReport::say(const RadioWrite&, const std::string& line) {
    m_bar.end(false);
    std::fprintf(m_stream, "tq305: %s\n", line.c_str());
    std::fflush(m_stream);
}

void BatchReport::add(const RadioWrite& radio) {
    m_radios.push_back(&radio);
    m_status.push_back("starting");
    m_shownTenth.push_back(-1);
}

std::size_t BatchReport::indexOf(const RadioWrite& radio) const {
    return std::size_t(std::ranges::find(m_radios, &radio) - m_radios.begin());
}

void BatchReport::progress(const RadioWrite& radio, const radiolink::SafeWriteProgress& progress) {
    const std::size_t n = indexOf(radio);
    const std::string stage = stageName(progress.stage);
    if (stage.empty())
        return;
    m_status[n] = stage + " " + std::to_string(progress.overallPercent) + "%";
    if (m_terminal) {
        redraw();
        return;
    }
    const int tenth = progress.overallPercent / 10;
    if (tenth <= m_shownTenth[n])
        return;
    m_shownTenth[n] = tenth;
    std::fprintf(m_stream, "tq305: %s: %s %d%%\n", radio.name().c_str(), stage.c_str(), tenth * 10);
    std::fflush(m_stream);
}

void BatchReport::say(const RadioWrite& radio, const std::string& line) {
    const std::string text = radio.name() + ": " + line;
    if (m_terminal) {
        m_held.push_back(text);
        return;
    }
    std::fprintf(m_stream, "tq305: %s\n", text.c_str());
    std::fflush(m_stream);
}

void BatchReport::ended(const RadioWrite& radio, const std::string& summary) {
    m_status[indexOf(radio)] = summary;
    if (m_terminal)
        redraw();
}

void BatchReport::close() {
    for (const std::string& line : m_held)
        std::fprintf(m_stream, "tq305: %s\n", line.c_str());
    m_held.clear();
    std::fflush(m_stream);
}

// One line per radio, in place: back to the first, then each line anew.
void BatchReport::redraw() {
    if (m_drawn)
        std::fprintf(m_stream, "\x1b[%zuA", m_radios.size());
    m_drawn = true;
    for (std::size_t n = 0; n < m_radios.size(); ++n)
        std::fprintf(m_stream, "\r\x1b[K%-28s %s\n", m_radios[n]->name().c_str(),
                     m_status[n].c_str());
    std::fflush(m_stream);
}

} // namespace cli
