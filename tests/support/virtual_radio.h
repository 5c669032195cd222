// A tq305-radio process for end-to-end tests: started with its arguments,
// ready once it has printed the path of its pseudo-terminal. The test target
// defines TQ_RADIO_BIN as the radio's path.
#pragma once

#include <QProcess>
#include <QTest>
#include <csignal>

class VirtualRadio {
  public:
    explicit VirtualRadio(
        const QStringList& arguments,
        const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
        m_process.setProcessEnvironment(environment);
        m_process.start(TQ_RADIO_BIN, arguments);
        // The ready line is the slave path; nothing else goes to standard output.
        while (!m_process.canReadLine() && m_process.waitForReadyRead(10000)) {
        }
        m_slavePath = QString::fromLocal8Bit(m_process.readLine()).trimmed();
    }
    ~VirtualRadio() {
        if (m_process.state() != QProcess::NotRunning) {
            signal(SIGTERM);
            m_process.waitForFinished(5000);
        }
    }

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
        return m_process.exitCode();
    }
    QByteArray standardError() { return m_process.readAllStandardError(); }

  private:
    QProcess m_process;
    QString m_slavePath;
};
