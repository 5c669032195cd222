// A time limit for each test function, each data row counted afresh, kept
// by a timer on the test's own thread: a test that waits in an event loop
// nobody ends (a modal window nobody answers, a condition that never comes
// true) is stopped with its name instead of holding the whole run.
//
// The limit is TQ_FUNCTION_TIMEOUT's, in milliseconds (none when unset).
// Qt Test's own watchdog (QTEST_FUNCTION_TIMEOUT) is left only as a far
// backstop: in Qt 6.4 its thread can miss the moment between two rows on a
// busy machine and then lets one deadline run on over several rows, ending
// a long data table that is doing well; this one cannot.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

namespace function_time_limit_detail {

class Watch : public QObject {
  public:
    explicit Watch(int limitMs) : QObject(QCoreApplication::instance()), m_limit(limitMs) {
        QObject::connect(&m_tick, &QTimer::timeout, this, [this] { check(); });
        m_tick.start(250);
    }

  private:
    void check() {
        const char* function = QTest::currentTestFunction();
        const char* tag = QTest::currentDataTag();
        QByteArray running;
        if (function)
            running = QByteArray(function) + '(' + QByteArray(tag ? tag : "") + ')';
        if (running != m_running) {
            m_running = running;
            m_since.start();
        } else if (function && m_since.elapsed() > m_limit) {
            qFatal("%s still runs after %d ms: stopped", m_running.constData(), m_limit);
        }
    }

    int m_limit;
    QTimer m_tick;
    QByteArray m_running;
    QElapsedTimer m_since;
};

inline void start() {
    static bool started = false;
    const int limit = qEnvironmentVariableIntValue("TQ_FUNCTION_TIMEOUT");
    if (started || limit <= 0)
        return;
    started = true;
    new Watch(limit);
}
Q_COREAPP_STARTUP_FUNCTION(start)

} // namespace function_time_limit_detail
