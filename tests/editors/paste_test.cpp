#include "editors/optional_features.h"
#include "support/program_fixture.h"
#include "support/test_registry.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>

namespace {

enum class Paste { CtrlV, ShiftInsert, ContextMenu, Drop };

// The ways a user puts a text into a box without typing it.
void paste(QLineEdit* box, Paste how, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    switch (how) {
    case Paste::CtrlV:
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        break;
    case Paste::ShiftInsert:
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
        break;
    case Paste::ContextMenu: {
        // The right click that opens the menu gives the box the focus: the
        // menu then shows the box's own shortcuts.
        box->setFocus(Qt::MouseFocusReason);
        QContextMenuEvent open(QContextMenuEvent::Mouse, box->rect().center(),
                               box->mapToGlobal(box->rect().center()));
        QApplication::sendEvent(box, &open);
        QMenu* menu = box->findChild<QMenu*>();
        QVERIFY(menu);
        // The entry is known by its shortcut, whatever the language.
        const QString shortcut = QKeySequence(QKeySequence::Paste).toString();
        QAction* action = nullptr;
        for (QAction* entry : menu->actions())
            if (entry->text().endsWith("\t" + shortcut))
                action = entry;
        QVERIFY(action && action->isEnabled());
        action->trigger();
        menu->close();
        break;
    }
    case Paste::Drop: {
        QMimeData data;
        data.setText(text);
        const QPoint end(box->width() - 2, box->height() / 2);
        QDragEnterEvent enter(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &enter);
        QDragMoveEvent move(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &move);
        QDropEvent drop(end, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(box, &drop);
        break;
    }
    }
}

} // namespace

Q_DECLARE_METATYPE(Paste)

// A pasted or dropped text passes the same filter as typing: the box keeps
// the characters it would take from the keyboard, up to its length.
class PasteTest : public QObject {
    Q_OBJECT

  private slots:
    void pasteIsFilteredLikeTyping_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("box");
        QTest::addColumn<Paste>("how");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("shown");
        const std::pair<const char*, Paste> ways[] = {{"Ctrl+V", Paste::CtrlV},
                                                      {"Shift+Insert", Paste::ShiftInsert},
                                                      {"context menu", Paste::ContextMenu},
                                                      {"drop", Paste::Drop}};
        for (const auto& [name, how] : ways) {
            // Cut at nine characters, so it is not rounded up to the refused band limit.
            QTest::addRow("Form3 Text20, %s", name) << "Form3"
                                                    << "Text20" << how << "479.999995"
                                                    << "479.99999";
            QTest::addRow("Form3 Text21, %s", name) << "Form3"
                                                    << "Text21" << how << " 12.345678 MHz"
                                                    << "12.34567";
            QTest::addRow("Form3 Text6, %s", name) << "Form3"
                                                   << "Text6" << how << "4 2\n"
                                                   << "42";
            QTest::addRow("Form5 Text2, %s", name) << "Form5"
                                                   << "Text2" << how << "88 .00"
                                                   << "88.00";
        }
        QTest::newRow("Form5 Text1") << "Form5"
                                     << "Text1" << Paste::CtrlV << " 9 5,5"
                                     << "955";
        QTest::newRow("Form1 Text1") << "Form1"
                                     << "Text1" << Paste::CtrlV << "438.5125 0\t0"
                                     << "438.51250";
        QTest::newRow("Form2 Text3") << "Form2"
                                     << "Text3" << Paste::ShiftInsert << "12 ab-*#cd9"
                                     << "12AB*#CD";
    }
    void pasteIsFilteredLikeTyping() {
        QFETCH(QString, window);
        QFETCH(QString, box);
        QFETCH(Paste, how);
        QFETCH(QString, pasted);
        QFETCH(QString, shown);
        ProgramFixture p;
        if (window == "Form1")
            p.press(1, 1); // opens the box over the cell
        QWidget* form = p.window->findChild<QWidget*>(window);
        p.window->showEditor(form); // a user pastes into a box in sight
        auto* entry = form->findChild<QLineEdit*>(box);
        QVERIFY(entry);
        entry->clear();
        paste(entry, how, pasted);
        QCOMPARE(entry->text(), shown);
    }

    // Leaving the VFO box keeps the pasted frequency in the band, where a
    // rounded 480.00000 would have been replaced by the band's lower limit.
    void pastedVfoFrequencyStaysInTheBand() {
        ProgramFixture p;
        auto* text20 = p.window->optionalFeatures()->findChild<QLineEdit*>("Text20");
        text20->clear();
        paste(text20, Paste::CtrlV, "479.999995");
        QTest::keyClick(text20, Qt::Key_Return);
        QVERIFY2(text20->text().startsWith("479.99"), qPrintable(text20->text()));
    }
};

TQ_REGISTER_TEST(PasteTest);
#include "paste_test.moc"
