// Undo and redo through the real windows: each kind of user action is one
// step, and stepping back and forth gives the editors and the image bytes
// back exactly.
#include "editors/dtmf_editor.h"
#include "editors/fm_presets_editor.h"
#include "editors/optional_features.h"
#include "editors/power_levels.h"
#include "shell/edit_history.h"
#include "shell/file_commands.h"
#include "support/program_fixture.h"
#include "support/test_registry.h"

#include <QAction>
#include <QSlider>
#include <QUndoStack>

namespace {

constexpr int Rx = 1, Power = 5;

struct Snapshot {
    image::EditorValues values;
    image::MemoryImage bytes;
    friend bool operator==(const Snapshot&, const Snapshot&) = default;
};

Snapshot snapshot(shell::MainWindow& window) {
    window.EncodeImage();
    return {window.editorValues(), window.TransmitImage};
}

// Leaves whatever entry has the focus, as a user clicking elsewhere does,
// and lets the history hear of it.
void settle(ProgramFixture& p) {
    // A list's popup took the activation with it.
    p.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(p.window.get()));
    p.grid->setFocus();
    QApplication::processEvents();
    QApplication::processEvents();
}

void typeAndEnter(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
    QTest::keyClick(box, Qt::Key_Return);
}

int steps(const ProgramFixture& p) {
    return p.window->editHistory().stack()->count();
}

} // namespace

class EditHistoryTest : public QObject {
    Q_OBJECT

    // Each action, done by hand on a program that already holds channel 2.
    void act(ProgramFixture& p, const QString& action) {
        shell::MainWindow& w = *p.window;
        if (action == "channel frequency") {
            p.enterFrequency(5, Rx, "435.5");
        } else if (action == "channel list") {
            p.chooseFromList(2, Power, 0);
        } else if (action == "channel erased") {
            p.enterFrequency(2, Rx, "");
        } else if (action == "option list") {
            w.showEditor(w.optionalFeatures());
            auto* list = w.optionalFeatures()->findChild<QComboBox*>("Combo16");
            list->setFocus();
            QTest::keyClick(list, Qt::Key_Up);
        } else if (action == "option entry") {
            w.showEditor(w.optionalFeatures());
            typeAndEnter(w.optionalFeatures()->findChild<QLineEdit*>("Text21"), "5.5");
        } else if (action == "power slider") {
            w.showEditor(w.powerLevels());
            w.powerLevels()->setSlidersEnabled(true);
            auto* slider = w.powerLevels()->findChild<QSlider*>("Slider1");
            slider->setFocus();
            QTest::keyClick(slider, Qt::Key_PageUp);
        } else if (action == "DTMF entry") {
            w.showEditor(w.dtmfEditor());
            typeAndEnter(w.dtmfEditor()->findChild<QLineEdit*>("Text2"), "123A");
        } else if (action == "FM entry") {
            w.showEditor(w.fmPresetsEditor());
            typeAndEnter(w.fmPresetsEditor()->findChild<QLineEdit*>("Text2"), "98.5");
        } else if (action == "band change") {
            ScriptedAnswers answers;
            answers.press("OK");
            QComboBox* band = p.bandList();
            band->showPopup();
            band->view()->setCurrentIndex(band->model()->index(0, 0));
            QTest::keyClick(band->view(), Qt::Key_Return);
        }
        settle(p);
    }

  private slots:
    void eachActionIsOneExactStep_data() {
        QTest::addColumn<QString>("action");
        for (const char* action :
             {"channel frequency", "channel list", "channel erased", "option list", "option entry",
              "power slider", "DTMF entry", "FM entry", "band change"})
            QTest::newRow(action) << QString(action);
    }
    void eachActionIsOneExactStep() {
        QFETCH(QString, action);
        ProgramFixture p;
        p.enterFrequency(2, Rx, "440");
        settle(p);
        const int stepsBefore = steps(p);
        const Snapshot before = snapshot(*p.window);

        act(p, action);
        const Snapshot after = snapshot(*p.window);
        QVERIFY(after != before);
        QCOMPARE(steps(p), stepsBefore + 1);

        // Undo and redo by their keys, with the focus on the channel table.
        const std::pair<QKeySequence, const Snapshot*> keys[] = {
            {QKeySequence("Ctrl+Z"), &before},
            {QKeySequence("Ctrl+Y"), &after},
            {QKeySequence("Ctrl+Z"), &before},
            {QKeySequence("Ctrl+Shift+Z"), &after},
        };
        for (const auto& [key, expected] : keys) {
            p.grid->setFocus();
            QTest::keySequence(p.grid, key);
            QApplication::processEvents();
            QVERIFY2(snapshot(*p.window) == *expected, qPrintable(key.toString()));
            QCOMPARE(p.form->cellText(2, Rx), expected->values.Form1.row(2).freqText[0].c_str());
        }
        QCOMPARE(steps(p), stepsBefore + 1); // stepping adds no steps
    }

    void aChangeAfterUndoEndsRedo() {
        ProgramFixture p;
        p.enterFrequency(2, Rx, "440");
        settle(p);
        p.enterFrequency(3, Rx, "441");
        settle(p);
        p.window->editHistory().undo();
        p.enterFrequency(4, Rx, "442");
        settle(p);
        QVERIFY(!p.window->editHistory().stack()->canRedo());
        QVERIFY(p.tables().row(3).isEmpty());
        p.window->editHistory().undo();
        QVERIFY(p.tables().row(4).isEmpty());
        QCOMPARE(p.tables().ChannelFreqText(2, Rx), "440.00000");
    }

    void newOpenAndReadStartAFreshHistory() {
        ProgramFixture p;
        auto* undo = p.window->findChild<QAction*>("MNUndo");
        QVERIFY(!undo->isEnabled());
        p.enterFrequency(2, Rx, "440");
        settle(p);
        QVERIFY(undo->isEnabled());

        const QString file = p.dir.filePath("a.dat");
        QCOMPARE(p.window->fileCommands().saveFile(file), files::FileError::None);
        QCOMPARE(p.window->fileCommands().openFile(file), files::FileError::None);
        QVERIFY(!undo->isEnabled());

        p.enterFrequency(3, Rx, "441");
        settle(p);
        ScriptedAnswers answers;
        answers.press("OK");
        p.window->fileCommands().New();
        QCOMPARE(steps(p), 0);
        QVERIFY(p.tables().row(2).isEmpty());
    }
};

TQ_REGISTER_TEST(EditHistoryTest);
#include "edit_history_test.moc"
