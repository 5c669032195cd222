// A tq305-radio process for end-to-end tests: started with its arguments,
// ready once it has printed the path of its pseudo-terminal. The test target
// defines TQ_RADIO_BIN as the radio's path.
//
// The radio is strict unless asked otherwise: when the program broke the
// clone protocol, the running test fails with the radio's violation lines
// once the radio ends (waitForExit(), finish() or the destructor).
#pragma once

#include <QProcess>
#include <QTest>
#include <csignal>
#include <memory>

class VirtualRadio {
  public:
    enum class Protocol {
        Checked, // --strict: a violation fails the running test
        Lenient, // for tests that break the protocol on purpose
    };
    // The radio's exit status after a violation under --strict.
    static constexpr int ViolationStatus = 4;

    explicit VirtualRadio(
        const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
        Protocol protocol = Protocol::Checked)
        : m_checked(protocol == Protocol::Checked) {
        m_process.setProcessEnvironment(environment);
        // First, so that a command line left wrong on purpose stays so.
        m_process.start(TQ_RADIO_BIN, m_checked ? QStringList{"--strict"} + arguments : arguments);
        // The ready line is the slave path; nothing else goes to standard output.
        while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
        }
        m_slavePath = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    static std::unique_ptr<VirtualRadio>
    lenient(const QStringList& arguments,
            const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
        return std::make_unique<VirtualRadio>(arguments, environment, Protocol::Lenient);
    }
    ~VirtualRadio() { finish(); }
    VirtualRadio(const VirtualRadio&) = delete;
    VirtualRadio& operator=(const VirtualRadio&) = delete;

    // Empty when the radio did not get ready.
    const QString& slavePath() const { return m_slavePath; }

    void signal(int number) { ::kill(pid_t(m_process.processId()), number); }
    // The exit code once the process has ended by itself, else -1.
    int waitForExit(int milliseconds = 5000) {
        if (m_process.state() != QProcess::NotRunning)
            m_process.waitForFinished(milliseconds);
        if (m_process.state() != QProcess::NotRunning ||
            m_process.exitStatus() != QProcess::NormalExit)
            return -1;
        reportViolations();
        return m_process.exitCode();
    }
    // Ends the radio (SIGTERM, unless it has ended by itself) and checks it.
    void finish() {
        if (m_process.state() != QProcess::NotRunning) {
            signal(SIGTERM);
            m_process.waitForFinished(5000);
        }
        if (m_process.state() == QProcess::NotRunning &&
            m_process.exitStatus() == QProcess::NormalExit)
            reportViolations();
    }
    // All the radio wrote to standard error so far.
    QByteArray standardError() {
        m_standardError += m_process.readAllStandardError();
        return m_standardError;
    }

  private:
    void reportViolations() {
        if (!m_checked || m_reported || m_process.exitCode() != ViolationStatus)
            return;
        m_reported = true;
        QByteArray lines;
        for (const QByteArray& line : standardError().split('\n'))
            if (line.startsWith("violation: "))
                lines += "\n  " + line;
        const QByteArray message = "tq305-radio saw the program break the protocol:" + lines;
        // Outside a test function (a benchmark) there is no test to fail.
        if (QTest::currentTestFunction())
            QTest::qFail(message.constData(), __FILE__, __LINE__);
        else
            qCritical("%s", message.constData());
    }

    QProcess m_process;
    QString m_slavePath;
    QByteArray m_standardError;
    bool m_checked;
    bool m_reported = false;
};
