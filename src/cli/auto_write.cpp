#include "cli/auto_write.h"

#include "cli/exit_codes.h"
#include "cli/job_write.h"
#include "cli/link_failure_text.h"
#include "cli/write_reports.h"
#include "cli/write_steps.h"
#include "platform/interrupt_notifier.h"
#include "platform/port_watch.h"
#include "platform/serial_port.h"

#include <QEventLoop>
#include <QObject>
#include <QSocketNotifier>
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <unistd.h>
#include <vector>

namespace cli {

namespace {

void sayLine(const std::string& line) {
    std::fprintf(stderr, "tq305: %s\n", line.c_str());
    std::fflush(stderr);
}

class AutoPort;

// What every port shares: the values handed out, the count of the radios'
// ends, and the end of the whole run.
class AutoRun {
  public:
    AutoRun(const LinkOptions& options, const WriteJob& job);
    int run();

    const LinkOptions& options() const { return m_options; }
    const WriteJob& job() const { return m_job; }
    bool ending() const { return m_ending; }

    // The values of the next radio, from the lowest count no radio holds
    // (in a job, from the job, `started` then its record as kept); none
    // when it could not hold them, which ends the run.
    std::optional<std::vector<settings::AssignedValue>>
    takeValues(const RadioPort& where, std::uint64_t& index,
               std::optional<records::Record>& started);
    // A radio that was written nothing leaves its count to the next one.
    void giveBack(std::uint64_t index) { m_returned.push_back(index); }
    // `exitCode`: the radio's, or worse when its record was kept nowhere.
    void radioEnded(const RadioWrite& radio, const Ended& ended, int exitCode);
    void radioNotOpened(const std::string& line);
    // A port has finished its radio; at the end, the run ends with the last.
    void portIdle();

  private:
    // No more radios; the run ends once the radios in progress are done.
    void end(const std::string& why, bool waitForRadios = true);
    void watchInput();
    void signal();
    bool anyWriting() const;
    std::string tally() const;

    const LinkOptions& m_options;
    const WriteJob& m_job;
    std::vector<std::unique_ptr<AutoPort>> m_ports;
    QEventLoop m_loop;
    std::unique_ptr<QSocketNotifier> m_input;
    std::string m_typed;
    std::uint64_t m_next = 0;
    std::vector<std::uint64_t> m_returned;
    int m_programmed = 0;
    int m_failed = 0;
    int m_refused = 0;
    std::vector<int> m_exits;
    bool m_ending = false;
    bool m_terminal = ::isatty(STDERR_FILENO) == 1;
};

// One port: watched while no radio of ours is on it; a radio that arrives
// is written, then watched until it leaves.
class AutoPort : public QObject, public WriteReport {
  public:
    AutoPort(const RadioPort& where, AutoRun& run);

    void begin() { m_watch.start(); }
    // No more radios: the one in progress (if any) finishes.
    void end();
    // A signal: the radio in progress is told to end its transfer.
    void interrupt();
    bool writing() const { return bool(m_radio); }

  private:
    void program();
    void radioEnded();
    std::string name() const { return portName(m_watch.port(), m_where); }

    void progress(const RadioWrite& radio, const radiolink::SafeWriteProgress& progress) override;
    void say(const RadioWrite& radio, const std::string& line) override;

    RadioPort m_where;
    AutoRun& m_run;
    radiolink::PortWatch m_watch;
    std::unique_ptr<RadioWrite> m_radio;
    RadioHistory m_history;
    std::string m_radioName; // the port as it was when the radio arrived
    std::uint64_t m_index = 0;
    radiolink::SafeWriteStage m_stage = radiolink::SafeWriteStage::Idle;
};

AutoPort::AutoPort(const RadioPort& where, AutoRun& run)
    : m_where(where), m_run(run),
      m_watch([where](radiolink::SerialPort& port) { return openRadioPort(port, where); }) {
    connect(&m_watch, &radiolink::PortWatch::radioArrived, this, &AutoPort::program);
    connect(&m_watch, &radiolink::PortWatch::radioLeft, this, [this] {
        sayLine(m_radioName + ": the radio was taken off; waiting for the next one");
    });
    connect(&m_watch, &radiolink::PortWatch::openFailed, this, [this] {
        sayLine(portFailureText(m_watch.port(), m_where));
        sayLine(name() + ": waiting until it opens");
    });
}

void AutoPort::end() {
    if (!writing())
        m_watch.stop();
}

void AutoPort::interrupt() {
    if (m_radio)
        m_radio->interrupt();
    end();
}

void AutoPort::program() {
    m_radioName = name();
    std::optional<records::Record> started;
    const std::optional<std::vector<settings::AssignedValue>> values =
        m_run.takeValues(m_where, m_index, started);
    if (!values) {
        m_watch.radioDealtWith(false);
        return;
    }
    m_radio = std::make_unique<RadioWrite>(m_where, m_run.job(), *this);
    giveValues(*m_radio, m_run.job(), *values);
    if (started)
        m_radio->startedInJob(*started);
    std::string text;
    for (const auto& [key, value] : m_radio->values())
        text += (text.empty() ? "; its own values: " : " ") + key + "=" + value;
    sayLine(m_radioName + ": a radio is on the cable (" + bandName(m_watch.arrival().band) +
            "); programming it" + text);
    if (!m_radio->open()) {
        m_run.giveBack(m_index);
        RadioHistory gaveBack;
        gaveBack.notOpened(*m_radio);
        m_run.radioNotOpened(m_radio->openFailure());
        m_radio.reset();
        m_watch.radioDealtWith(false);
        return;
    }
    m_stage = radiolink::SafeWriteStage::Idle;
    m_history = {};
    m_history.started(*m_radio, m_run.options());
    // Settled once the write has let go of the radio, outside its own call.
    connect(m_radio.get(), &RadioWrite::ended, this, &AutoPort::radioEnded, Qt::QueuedConnection);
    m_radio->start();
}

void AutoPort::radioEnded() {
    const Ended ended = verdictOf(*m_radio, m_run.options(), m_run.job().fileBand);
    m_history.ended(*m_radio, ended);
    if (m_radio->result()->blocksSent == 0)
        m_run.giveBack(m_index);
    m_run.radioEnded(*m_radio, ended, m_history.exitCode(ended.verdict.exitCode));
    const bool lineLost = m_radio->result()->reason == radiolink::SafeWriteReason::LineLost;
    m_radio.reset();
    m_watch.radioDealtWith(lineLost);
    if (m_run.ending()) {
        end();
        m_run.portIdle();
    }
}

void AutoPort::progress(const RadioWrite& radio, const radiolink::SafeWriteProgress& progress) {
    if (progress.stage == m_stage)
        return;
    m_stage = progress.stage;
    const std::string stage = stageName(progress.stage);
    if (!stage.empty())
        sayLine(radio.name() + ": " + stage);
}

void AutoPort::say(const RadioWrite& radio, const std::string& line) {
    sayLine(radio.name() + ": " + line);
}

AutoRun::AutoRun(const LinkOptions& options, const WriteJob& job)
    : m_options(options), m_job(job) {}

int AutoRun::run() {
    // The first radio's values are checked before any port is touched (a
    // job's, as its next radio takes them).
    std::string refusal;
    if (m_options.job.empty() &&
        !radioValues(m_options, m_job.fileBand, 0, m_options.ports.front(), refusal)) {
        sayLine(refusal + "; no radio was written");
        return ExitUsage;
    }
    ui::InterruptNotifier interrupts;
    QObject::connect(&interrupts, &ui::InterruptNotifier::interrupted, &m_loop,
                     [this] { signal(); });
    watchInput();
    std::string ports;
    for (const RadioPort& where : m_options.ports) {
        m_ports.push_back(std::make_unique<AutoPort>(where, *this));
        ports += (ports.empty() ? "" : ", ") +
                 (where.number ? "port " + std::to_string(*where.number) : shownName(where.device));
    }
    sayLine("programming each radio put on the cable of " + ports +
            "; type q and Enter (or Ctrl+D) to end");
    for (const auto& port : m_ports)
        port->begin();
    m_loop.exec();
    sayLine(tally());
    return worstExit(m_exits);
}

std::optional<std::vector<settings::AssignedValue>>
AutoRun::takeValues(const RadioPort& where, std::uint64_t& index,
                    std::optional<records::Record>& started) {
    if (!m_options.job.empty()) {
        std::string refusal;
        int exitCode = ExitUsage;
        auto taken =
            takeJobRadios(m_options, m_job.fileBand, std::span(&where, 1), refusal, exitCode);
        if (!taken) {
            m_exits.push_back(exitCode);
            end(refusal + "; this radio and the next are not written");
            return std::nullopt;
        }
        started = std::move(taken->front().started);
        return std::move(taken->front().values);
    }
    const auto lowest = std::ranges::min_element(m_returned);
    if (lowest != m_returned.end()) {
        index = *lowest;
        m_returned.erase(lowest);
    } else {
        index = m_next++;
    }
    std::string refusal;
    std::optional<std::vector<settings::AssignedValue>> values =
        radioValues(m_options, m_job.fileBand, index, where, refusal);
    if (values && !m_options.again)
        if (refusal = givenBefore(where, *values); !refusal.empty())
            values.reset();
    if (!values) {
        giveBack(index);
        m_exits.push_back(ExitUsage);
        end(refusal + "; this radio and the next are not written");
    }
    return values;
}

void AutoRun::radioEnded(const RadioWrite& radio, const Ended& ended, int exitCode) {
    const std::string& port = radio.name();
    for (const std::string& line : ended.verdict.lines)
        sayLine(port + ": " + line);
    m_exits.push_back(exitCode);
    if (ended.verdict.exitCode == ExitDone)
        ++m_programmed;
    else if (radio.result()->reason == radiolink::SafeWriteReason::BandRefused)
        ++m_refused;
    else
        ++m_failed;
    // The bell calls the dealer back to the bench; a log gets the line alone.
    if (m_terminal)
        std::fputc('\a', stderr);
    sayLine(port + ": " + ended.verdict.summary + " — " + tally() +
            (m_ending ? "" : "; take the radio off, the next one put on is programmed"));
}

void AutoRun::radioNotOpened(const std::string& line) {
    sayLine(line);
    m_exits.push_back(ExitCannotOpen);
    ++m_failed;
    sayLine(tally());
}

void AutoRun::portIdle() {
    if (m_ending && !anyWriting())
        m_loop.quit();
}

bool AutoRun::anyWriting() const {
    return std::ranges::any_of(m_ports, [](const auto& port) { return port->writing(); });
}

void AutoRun::end(const std::string& why, bool waitForRadios) {
    if (m_ending)
        return;
    m_ending = true;
    // Perhaps from inside the notifier's own signal: it is only turned off.
    m_input->setEnabled(false);
    sayLine(why +
            (anyWriting() && waitForRadios ? "; ending once the radios in progress are done" : ""));
    for (const auto& port : m_ports)
        port->end();
    // Queued: the run may be ending from inside a port's own call.
    QMetaObject::invokeMethod(
        &m_loop, [this] { portIdle(); }, Qt::QueuedConnection);
}

// q and Enter, or the end of the input (Ctrl+D on a terminal), ends the run.
void AutoRun::watchInput() {
    m_input = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(m_input.get(), &QSocketNotifier::activated, &m_loop, [this] {
        char buffer[256];
        const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count <= 0) {
            end("the input ended: no more radios");
            return;
        }
        m_typed.append(buffer, std::size_t(count));
        for (std::size_t newline; (newline = m_typed.find('\n')) != std::string::npos;) {
            const std::string line = m_typed.substr(0, newline);
            m_typed.erase(0, newline + 1);
            const std::size_t first = line.find_first_not_of(" \t\r");
            if (first != std::string::npos && line[first] == 'q') {
                end("q: no more radios");
                return;
            }
        }
        // A line is short; a stream without newlines is not kept.
        if (m_typed.size() > sizeof buffer)
            m_typed.clear();
    });
}

void AutoRun::signal() {
    m_exits.push_back(ExitInterrupted);
    end(anyWriting() ? "interrupted: the radios in progress are told to end their transfers"
                     : "interrupted",
        false);
    for (const auto& port : m_ports)
        port->interrupt();
}

std::string AutoRun::tally() const {
    return std::to_string(m_programmed) + " programmed, " + std::to_string(m_failed) + " failed, " +
           std::to_string(m_refused) + " refused";
}

} // namespace

int writeAsPutOn(const LinkOptions& options, const WriteJob& job) {
    return AutoRun(options, job).run();
}

} // namespace cli
