#include "cli/window_messages.h"

#include "ui/message_box.h"

#include <QRegularExpression>
#include <QTextStream>

namespace cli {

namespace {

bool g_spoke = false;

} // namespace

void sendWindowMessagesToStandardError() {
    ui::setMessageSink([](const QString& text, int) {
        g_spoke = true;
        const QString line =
            text.split(QRegularExpression("\\s*\\n\\s*"), Qt::SkipEmptyParts).join(' ');
        QTextStream(stderr) << "tq305: " << line << Qt::endl;
    });
}

bool windowsSpoke() {
    return g_spoke;
}

int exitAfterWindowMessages(int exitCode) {
    return exitCode == 0 && g_spoke ? 1 : exitCode;
}

} // namespace cli
