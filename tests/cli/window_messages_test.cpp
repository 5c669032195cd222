// Windows the command line builds say what they have to say through a sink
// instead of a box nobody could answer; the program keeps its boxes.
#include "support/scripted_answers.h"
#include "support/test_registry.h"
#include "ui/message_box.h"
#include "ui/messages.h"
#include "ui/program_flags.h"

#include <QTest>

Q_DECLARE_METATYPE(ui::Msg)

class WindowMessagesTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { ui::setMessageSink({}); }

    // A question is answered as Escape answers it: nothing is quit, cleared
    // or forced on the user's behalf. The text is English whatever the
    // windows' language, on the sink's terms.
    void sinkAnswersAsEscapeInEnglish_data() {
        QTest::addColumn<ui::Msg>("message");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("text");
        QTest::newRow("force the write?")
            << ui::Msg::ForceWriteQuestion << QStringList{} << int(ui::MsgCancel)
            << "The frequency band is not accorded with, whether write into by force?";
        QTest::newRow("clear the channels?")
            << ui::Msg::BandChangeConfirm << QStringList{} << int(ui::MsgCancel)
            << "Changing the frequency band will remove the channel tabulation, confirm?";
        QTest::newRow("an error with OK only")
            << ui::Msg::CsvNotUsable << QStringList{"a.csv", "the file holds no text"}
            << int(ui::MsgOk)
            << "The file cannot be imported:\na.csv\nIt has no CSV header with the Location and "
               "Frequency columns: the file holds no text.";
    }
    void sinkAnswersAsEscapeInEnglish() {
        QFETCH(ui::Msg, message);
        QFETCH(QStringList, arguments);
        QFETCH(int, answer);
        QFETCH(QString, text);
        QStringList said;
        ui::setMessageSink([&](const QString& line, int) { said << line; });
        // Were a box shown after all, it would fail the test and be closed
        // instead of waiting for ever.
        const ScriptedAnswers noBox;
        ui::UILanguage = 0;
        QCOMPARE(ui::showMessage(message, arguments), answer);
        QCOMPARE(said, QStringList{text});
    }

    void withoutTheSinkTheBoxIsBack() {
        ui::UILanguage = 1;
        ScriptedAnswers answers;
        answers.press("OK");
        ui::showMessage(ui::Msg::BeyondBand);
        QVERIFY(answers.done());
        QCOMPARE(answers.box(0).text, "Beyond the scope of frequency band");
    }
};

TQ_REGISTER_TEST(WindowMessagesTest);
#include "window_messages_test.moc"
