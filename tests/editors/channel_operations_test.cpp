#include "editors/channel_grid.h"
#include "exchange/channel_csv.h"
#include "support/program_fixture.h"
#include "support/scripted_answers.h"
#include "support/test_registry.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <map>

namespace {

using editors::ChannelTable;

// Channel n of the starting table: RX 400.n MHz (channel 12: 401.20000), so
// each channel's rows can be told apart wherever they go.
QString origin(int n) {
    return QString::number(400 + n / 10) + '.' + QString::number(n % 10) + "0000";
}

image::ChannelRow channelOf(const QString& rx) {
    image::ChannelRow row;
    row.freqText = {rx.toStdString(), rx.toStdString()};
    row.listIndex = {0, 0, 1, 1, 1, 1};
    return row;
}

image::ChannelTableValues tableOf(const QList<int>& occupied) {
    image::ChannelTableValues table;
    for (int n : occupied)
        table.row(n) = channelOf(origin(n));
    return table;
}

// "10:1": channel 10 holds what channel 1 held at the start.
QStringList whereTheChannelsAre(const image::ChannelTableValues& table) {
    std::map<QString, int> startedOn;
    for (int n = 1; n <= image::ChannelCount; ++n)
        startedOn[origin(n)] = n;
    QStringList places;
    for (int n = 1; n <= image::ChannelCount; ++n)
        if (!table.row(n).isEmpty())
            places << QString("%1:%2").arg(n).arg(
                startedOn[QString::fromStdString(table.row(n).freqText[0])]);
    return places;
}

void clickNumber(ProgramFixture& p, int n, Qt::KeyboardModifiers modifiers,
                 Qt::MouseButton button = Qt::LeftButton) {
    p.grid->scrollToItem(p.grid->item(n - 1, 0));
    QTest::mouseClick(p.grid->viewport(), button, modifiers, p.cellRect(n, 0).center());
}

QAction* fromMenu(QMenu* menu, const QString& name) {
    for (QAction* action : menu->actions())
        if (action->objectName() == name)
            return action;
    return nullptr;
}

// One step of what a user does: "pick 3", "shift 5", "ctrl 7" (clicks on
// channel numbers), "right 4" (the context menu over a number), "cell 6"
// (a click on a frequency cell, then Escape), "key Ctrl+V", "menu MNDelete"
// (in the open context menu), "edit MNInsert" (in the Edit menu).
void perform(ProgramFixture& p, const QString& step) {
    const QString verb = step.section(' ', 0, 0);
    const QString what = step.section(' ', 1);
    if (verb == "pick" || verb == "shift" || verb == "ctrl") {
        clickNumber(p, what.toInt(),
                    verb == "shift"  ? Qt::ShiftModifier
                    : verb == "ctrl" ? Qt::ControlModifier
                                     : Qt::NoModifier);
    } else if (verb == "right") {
        const int n = what.toInt();
        clickNumber(p, n, Qt::NoModifier, Qt::RightButton);
        // The window system follows a right press with this event.
        const QPoint at = p.cellRect(n, 0).center();
        QContextMenuEvent open(QContextMenuEvent::Mouse, at, p.grid->viewport()->mapToGlobal(at));
        QApplication::sendEvent(p.grid->viewport(), &open);
    } else if (verb == "cell") {
        p.press(what.toInt(), 1);
        QTest::keyClick(p.text1, Qt::Key_Escape);
    } else if (verb == "key") {
        QTest::keySequence(p.grid, QKeySequence(what));
    } else if (verb == "menu") {
        auto* menu = p.form->findChild<QMenu*>("ChannelMenu");
        QTRY_VERIFY(menu->isVisible());
        QAction* action = fromMenu(menu, what);
        QVERIFY(action && action->isEnabled());
        menu->close();
        action->trigger();
    } else if (verb == "edit") {
        QAction* action = fromMenu(p.window->findChild<QMenu*>("MNEdit"), what);
        QVERIFY(action && action->isEnabled());
        action->trigger();
    } else {
        QFAIL(qPrintable("unknown step " + step));
    }
    QCoreApplication::processEvents(); // as between two things a user does
}

} // namespace

class ChannelOperationsTest : public QObject {
    Q_OBJECT

  private slots:
    void operations_data() {
        QTest::addColumn<QList<int>>("occupied");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<int>("edits");
        QTest::addColumn<QList<int>>("selected");
        QTest::addColumn<int>("reports"); // import reports shown

        const QList<int> five{1, 2, 3, 4, 5};
        QTest::newRow("delete a Shift range")
            << five << QStringList{"pick 2", "shift 4", "key Del"} << QStringList{"1:1", "5:5"} << 1
            << QList<int>{2, 3, 4} << 0;
        QTest::newRow("Ctrl toggles rows in and out")
            << five << QStringList{"pick 1", "ctrl 3", "ctrl 5", "ctrl 1", "key Del"}
            << QStringList{"1:1", "2:2", "4:4"} << 1 << QList<int>{3, 5} << 0;
        QTest::newRow("no picked row: the current cell's channel")
            << five << QStringList{"pick 1", "key Down", "key Del"}
            << QStringList{"1:1", "3:3", "4:4", "5:5"} << 1 << QList<int>{2} << 0;
        QTest::newRow("a click on a cell drops the picked rows")
            << five << QStringList{"pick 2", "shift 4", "cell 5", "key Del"}
            << QStringList{"1:1", "2:2", "3:3", "4:4"} << 1 << QList<int>{5} << 0;
        QTest::newRow("Shift+click extends from the current cell's row")
            << five << QStringList{"pick 1", "key Down", "shift 4", "key Del"}
            << QStringList{"1:1", "5:5"} << 1 << QList<int>{2, 3, 4} << 0;
        QTest::newRow("Shift+Down extends from the current row")
            << five << QStringList{"pick 2", "key Shift+Down", "key Shift+Down", "key Del"}
            << QStringList{"1:1", "5:5"} << 1 << QList<int>{2, 3, 4} << 0;
        QTest::newRow("cut and paste elsewhere")
            << five << QStringList{"pick 1", "shift 2", "key Ctrl+X", "pick 10", "key Ctrl+V"}
            << QStringList{"3:3", "4:4", "5:5", "10:1", "11:2"} << 2 << QList<int>{10, 11} << 0;
        QTest::newRow("copy leaves the rows; paste replaces what was there")
            << five << QStringList{"pick 4", "ctrl 2", "key Ctrl+C", "pick 1", "key Ctrl+V"}
            << QStringList{"1:2", "2:4", "3:3", "4:4", "5:5"} << 1 << QList<int>{1, 2} << 0;
        QTest::newRow("copied empty channels are left out")
            << QList<int>{1, 3}
            << QStringList{"pick 1", "shift 3", "key Ctrl+C", "pick 7", "key Ctrl+V"}
            << QStringList{"1:1", "3:3", "7:1", "8:3"} << 1 << QList<int>{7, 8} << 0;
        QTest::newRow("a paste stops at channel 99")
            << QList<int>{1, 2, 3}
            << QStringList{"pick 1", "shift 3", "key Ctrl+C", "pick 98", "key Ctrl+V"}
            << QStringList{"1:1", "2:2", "3:3", "98:1", "99:2"} << 1 << QList<int>{98, 99} << 1;
        QTest::newRow("insert in the middle")
            << QList<int>{1, 2, 3, 4, 98} << QStringList{"pick 2", "key Ins"}
            << QStringList{"1:1", "3:2", "4:3", "5:4", "99:98"} << 1 << QList<int>{2} << 0;
        QTest::newRow("insert below the last channel changes nothing")
            << QList<int>{1} << QStringList{"pick 50", "key Ins"} << QStringList{"1:1"} << 0
            << QList<int>{50} << 0;
        QTest::newRow("move a block up")
            << five << QStringList{"pick 3", "shift 4", "key Ctrl+Up"}
            << QStringList{"1:1", "2:3", "3:4", "4:2", "5:5"} << 1 << QList<int>{2, 3} << 0;
        QTest::newRow("move down twice")
            << five << QStringList{"pick 1", "key Ctrl+Down", "key Ctrl+Down"}
            << QStringList{"1:2", "2:3", "3:1", "4:4", "5:5"} << 2 << QList<int>{3} << 0;
        QTest::newRow("move apart rows down")
            << five << QStringList{"pick 1", "ctrl 3", "key Ctrl+Down"}
            << QStringList{"1:2", "2:1", "3:4", "4:3", "5:5"} << 1 << QList<int>{2, 4} << 0;
        QTest::newRow("nothing moves up past channel 1")
            << five << QStringList{"pick 1", "shift 2", "key Ctrl+Up"}
            << QStringList{"1:1", "2:2", "3:3", "4:4", "5:5"} << 0 << QList<int>{1, 2} << 0;
        QTest::newRow("nothing moves down past channel 99")
            << QList<int>{98, 99} << QStringList{"pick 98", "ctrl 99", "key Ctrl+Down"}
            << QStringList{"98:98", "99:99"} << 0 << QList<int>{98, 99} << 0;
        QTest::newRow("context menu on a number outside the picked rows")
            << five << QStringList{"pick 1", "shift 2", "right 4", "menu MNDelete"}
            << QStringList{"1:1", "2:2", "3:3", "5:5"} << 1 << QList<int>{4} << 0;
        QTest::newRow("context menu on a picked row keeps the block")
            << five << QStringList{"pick 1", "shift 2", "right 2", "menu MNMoveDown"}
            << QStringList{"1:3", "2:1", "3:2", "4:4", "5:5"} << 1 << QList<int>{2, 3} << 0;
        QTest::newRow("from the Edit menu")
            << five << QStringList{"pick 2", "edit MNCut", "pick 9", "edit MNPaste"}
            << QStringList{"1:1", "3:3", "4:4", "5:5", "9:2"} << 2 << QList<int>{9} << 0;
    }
    void operations() {
        QFETCH(QList<int>, occupied);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, after);
        QFETCH(int, edits);
        QFETCH(QList<int>, selected);
        QFETCH(int, reports);
        ProgramFixture p;
        p.form->setChannels(tableOf(occupied));
        QSignalSpy edited(p.form, &ChannelTable::edited);
        ScriptedAnswers answers; // a message box fails the test
        answers.forbid("FrmImportReport");
        for (int i = 0; i < reports; ++i)
            answers.onDialog("FrmImportReport", [](QDialog*) {});
        for (const QString& step : steps)
            perform(p, step);
        QCOMPARE(whereTheChannelsAre(p.tables()), after);
        QCOMPARE(edited.count(), edits);
        const std::vector<int> picked = p.form->selectedChannels();
        QCOMPARE(QList<int>(picked.begin(), picked.end()), selected);
        QVERIFY(answers.done());
    }

    // Each operation is one step of the history, as typing in a cell is.
    void eachOperationIsUndoneOnItsOwn() {
        ProgramFixture p;
        const image::ChannelTableValues start = tableOf({1, 2, 3});
        p.form->setChannels(start);
        emit p.form->edited(); // the history starts from these channels
        for (const QString& step : QStringList{"pick 1", "shift 2", "key Ctrl+X"})
            perform(p, step);
        const image::ChannelTableValues afterCut = p.tables();
        for (const QString& step : QStringList{"pick 10", "key Ctrl+V", "key Ctrl+Down"})
            perform(p, step);
        QCOMPARE(whereTheChannelsAre(p.tables()), (QStringList{"3:3", "11:1", "12:2"}));
        QTest::keySequence(p.grid, QKeySequence("Ctrl+Z"));
        QTRY_COMPARE(whereTheChannelsAre(p.tables()), (QStringList{"3:3", "10:1", "11:2"}));
        QTest::keySequence(p.grid, QKeySequence("Ctrl+Z"));
        QTRY_VERIFY(p.tables() == afterCut);
        QTest::keySequence(p.grid, QKeySequence("Ctrl+Z"));
        QTRY_VERIFY(p.tables() == start);
        QTest::keySequence(p.grid, QKeySequence("Ctrl+Y"));
        QTRY_VERIFY(p.tables() == afterCut);
    }

    // Everything a channel holds survives a copy and paste, the busy-channel
    // lock included, which the CSV layout has no column for.
    void copyAndPasteKeepWholeChannels() {
        ProgramFixture p;
        image::ChannelTableValues table;
        table.row(1) = channelOf("438.51250");
        table.row(1).freqText[1] = "433.00625";
        table.row(1).toneText = {"D023I", "88.5"};
        table.row(1).listIndex = {156, 9, 0, 0, 0, 0};
        table.row(2) = channelOf("401.00000");
        table.row(2).freqText[1].clear(); // receive only
        table.row(2).toneText = {"", "D754N"};
        table.row(2).listIndex = {0, 155, 1, 0, 1, 0};
        p.form->setChannels(table);
        clickNumber(p, 1, Qt::NoModifier);
        clickNumber(p, 2, Qt::ShiftModifier);
        QTest::keySequence(p.grid, QKeySequence("Ctrl+C"));
        const QMimeData* data = QApplication::clipboard()->mimeData();
        QVERIFY(data->text().startsWith(
            QString::fromUtf8(exchange::CsvHeader.data(), exchange::CsvHeader.size())));
        QCOMPARE(data->data("text/csv"), data->text().toUtf8());

        clickNumber(p, 40, Qt::NoModifier);
        ScriptedAnswers answers;
        answers.forbid("FrmImportReport");
        QTest::keySequence(p.grid, QKeySequence("Ctrl+V"));
        QVERIFY(p.tables().row(40) == table.row(1));
        QVERIFY(p.tables().row(41) == table.row(2));
        QCOMPARE(p.cell(41, 6), QString("Carry"));
    }

    void pastedTextUnderTheImportRules_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("clipboard");
        QTest::addColumn<QString>("message");          // empty: none
        QTest::addColumn<QStringList>("report");       // how its lines begin; empty: no report
        QTest::addColumn<QStringList>("channel5and6"); // RX texts afterwards

        const QString header =
            QString::fromUtf8(exchange::CsvHeader.data(), exchange::CsvHeader.size());
        QTest::newRow("an out-of-band row is skipped and reported")
            << 1 << header + "\n1,,145.000000\n2,,446.006250\n"
            << "" << QStringList{"line 2: skipped", "line 3: channel 5 imported"}
            << QStringList{"446.00625", ""};
        QTest::newRow("a row off the raster is snapped and reported")
            << 1 << header + "\n7,,440.001000\n"
            << "" << QStringList{"line 2: channel 5 imported with changes"}
            << QStringList{"440.00000", ""};
        QTest::newRow("rows as copied: no report")
            << 1 << header + "\n7,,440.000000\n8,,441.000000\n"
            << "" << QStringList{} << QStringList{"440.00000", "441.00000"};
        QTest::newRow("tab-separated rows from a spreadsheet")
            << 1 << "Location\tName\tFrequency\tDuplex\tOffset\r\n7\t\t446.000000\t-\t5.000000\r\n"
            << "" << QStringList{} << QStringList{"446.00000", ""};
        QTest::newRow("text without a header, English")
            << 1 << "440.000,441.000"
            << "The clipboard holds no channels to paste." << QStringList{}
            << QStringList{"400.50000", ""};
        QTest::newRow("an empty clipboard, Chinese")
            << 0 << ""
            << "剪贴板中没有可粘贴的信道。" << QStringList{} << QStringList{"400.50000", ""};
    }
    void pastedTextUnderTheImportRules() {
        QFETCH(int, language);
        QFETCH(QString, clipboard);
        QFETCH(QString, message);
        QFETCH(QStringList, report);
        QFETCH(QStringList, channel5and6);
        ProgramFixture p(language);
        p.form->setChannels(tableOf({5}));
        QApplication::clipboard()->setText(clipboard);
        QSignalSpy edited(p.form, &ChannelTable::edited);
        ScriptedAnswers answers;
        answers.forbid("FrmImportReport");
        if (!message.isEmpty())
            answers.press(language == 0 ? "确定" : "OK");
        QStringList reportLines;
        if (!report.isEmpty())
            answers.onDialog("FrmImportReport", [&](QDialog* dialog) {
                reportLines =
                    dialog->findChild<QPlainTextEdit*>("TextRows")->toPlainText().split('\n');
                dialog->accept();
            });
        clickNumber(p, 5, Qt::NoModifier);
        QTest::keySequence(p.grid, QKeySequence("Ctrl+V"));

        QVERIFY(answers.done());
        QCOMPARE(answers.box(0).text.section('\n', 0, 0), message);
        QCOMPARE((QStringList{p.cell(5, 1), p.cell(6, 1)}), channel5and6);
        QCOMPARE(edited.count(), message.isEmpty() ? 1 : 0);
        QCOMPARE(reportLines.size(), report.size());
        for (int i = 0; i < report.size(); ++i)
            QVERIFY2(reportLines[i].startsWith(report[i]), qPrintable(reportLines[i]));
    }

    void insertIsRefusedWhileChannel99IsInUse_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("English") << 1 << "OK"
                                 << "Channel 99 is in use, so no channel can be inserted.";
        QTest::newRow("Chinese") << 0 << "确定"
                                 << "信道99已被占用，无法插入信道。";
    }
    void insertIsRefusedWhileChannel99IsInUse() {
        QFETCH(int, language);
        QFETCH(QString, button);
        QFETCH(QString, text);
        ProgramFixture p(language);
        const image::ChannelTableValues table = tableOf({1, 2, 3, 99});
        p.form->setChannels(table);
        QSignalSpy edited(p.form, &ChannelTable::edited);
        ScriptedAnswers answers;
        answers.press(button);
        clickNumber(p, 2, Qt::NoModifier);
        QTest::keyClick(p.grid, Qt::Key_Insert);
        QTRY_VERIFY(answers.done());
        const SeenMessageBox seen = answers.box(0);
        QCOMPARE(seen.text.section('\n', 0, 0), text);
        QVERIFY(p.tables() == table);
        QCOMPARE(edited.count(), 0);
    }

    // The keys belong to the grid: typing in the entry box, or in another
    // window, does what it does there.
    void theKeysStayWithTheEntryBoxAndOtherWindows() {
        ProgramFixture p;
        p.form->setChannels(tableOf({1}));
        QSignalSpy edited(p.form, &ChannelTable::edited);
        p.press(1, 1);
        QVERIFY(p.text1->hasFocus());
        QTest::keyClick(p.text1, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(p.text1, Qt::Key_Delete);
        QCOMPARE(p.text1->text(), QString());
        QTest::keyClick(p.text1, Qt::Key_Escape);
        QCOMPARE(QApplication::clipboard()->text(), origin(1)); // the box's own text
        QCOMPARE(p.cell(1, 1), origin(1));

        // Behind another window the group is not offered at all.
        p.window->findChild<QAction*>("MNOption")->trigger();
        QVERIFY(!p.window->findChild<QAction*>("MNDelete")->isEnabled());
        p.window->findChild<QAction*>("MNModel")->trigger();
        QVERIFY(p.window->findChild<QAction*>("MNDelete")->isEnabled());
        QCOMPARE(edited.count(), 0);
    }

    // The menu key opens the menu under the current cell, even one scrolled
    // out of view; a band change drops the picked rows with the channels.
    void menuKeyAndBandChange() {
        ProgramFixture p;
        clickNumber(p, 4, Qt::NoModifier);
        auto* grid = qobject_cast<editors::ChannelGrid*>(p.grid);
        grid->selectCell(40, 2);
        const QPoint middle = p.grid->rect().center();
        QContextMenuEvent key(QContextMenuEvent::Keyboard, middle, p.grid->mapToGlobal(middle));
        QApplication::sendEvent(p.grid, &key);
        auto* menu = p.form->findChild<QMenu*>("ChannelMenu");
        QTRY_VERIFY(menu->isVisible());
        const QRect cell = p.cellRect(40, 2).translated(p.grid->viewport()->mapToGlobal(QPoint()));
        QCOMPARE(menu->pos(), cell.bottomLeft());
        menu->close();

        ScriptedAnswers answers;
        answers.press("OK");
        QComboBox* band = p.bandList();
        band->showPopup();
        band->view()->setCurrentIndex(band->model()->index(0, 0));
        QTest::keyClick(band->view(), Qt::Key_Return);
        QVERIFY(grid->selectedRows().empty());
    }
};

TQ_REGISTER_TEST(ChannelOperationsTest);
#include "channel_operations_test.moc"
