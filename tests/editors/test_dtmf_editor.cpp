#include "editors/dtmf_editor.h"
#include "shell/main_window.h"
#include "shell/startup.h"
#include "support/scripted_answers.h"
#include "support/test_registry.h"
#include "support/type_text.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using editors::DtmfEditor;

class DtmfEditorTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DtmfEditor> m_form;

    template <typename T> T* child(const char* name) {
        T* found = m_form->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", name);
        return found;
    }
    QLineEdit* box(const QString& name) { return child<QLineEdit>(name.toLatin1().constData()); }

  private slots:
    void init() {
        m_form = std::make_unique<DtmfEditor>();
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    void codeBoxesKeepOnlyDtmfKeysInUpperCase_data() {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        for (const char* name : {"Text1_5", "Text2", "Text3"}) {
            auto row = [&](const char* what) -> QTestData& {
                return QTest::addRow("%s %s", name, what);
            };
            row("a d e") << name << "ade"
                         << "AD";
            row("all digits") << name << "0987654321"
                              << (QString(name) == "Text3" ? "09876543" : "0987654321");
            row("star and hash") << name << "*#"
                                 << "*#";
            row("minus and space") << name << "1- 2"
                                   << "12";
            row("keypad letters") << name << "abcdABCD"
                                  << "ABCDABCD";
            row("other letters and signs") << name << QString::fromUtf8("eEzZ+.,/ａＡ１") << "";
        }
    }
    void codeBoxesKeepOnlyDtmfKeysInUpperCase() {
        QFETCH(QString, boxName);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        if (boxName == "Text2" || boxName == "Text3")
            child<QRadioButton>("Option2")->click();
        QLineEdit* code = box(boxName);
        code->setFocus();
        typeText(code, typed);
        QCOMPARE(code->text(), shown);
    }

    void codeBoxesStopAtTheirLength_data() {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<int>("length");
        QTest::newRow("dial memory") << "Text1_3" << 16;
        QTest::newRow("PTT-ID code") << "Text2" << 16;
        QTest::newRow("own code") << "Text3" << 8;
    }
    void codeBoxesStopAtTheirLength() {
        QFETCH(QString, boxName);
        QFETCH(int, length);
        child<QRadioButton>(boxName.startsWith("Text1") ? "Option1" : "Option2")->click();
        QLineEdit* code = box(boxName);
        QTest::keyClicks(code, QString("1234567890ABCD*#").repeated(2));
        const QString full = QString("1234567890ABCD*#").left(length);
        QCOMPARE(code->text(), full);
        QTest::keyClick(code, Qt::Key_Home);
        QTest::keyClick(code, Qt::Key_9);
        QCOMPARE(code->text(), full);
        QTest::keyClick(code, Qt::Key_End);
        QTest::keyClick(code, Qt::Key_Backspace);
        QCOMPARE(code->text().size(), length - 1);

        // Pasting goes through the same filter and limit.
        code->clear();
        QApplication::clipboard()->setText("1a-2b 3c#d9876543210");
        QTest::keyClick(code, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(code->text(), QString("1A2B3C#D9876543210").left(length));
    }

    void startsOnTheDialMemoriesWithItsDefaults() {
        QVERIFY(child<QRadioButton>("Option1")->isChecked());
        QVERIFY(child<QGroupBox>("Frame1")->isVisible());
        QVERIFY(!child<QGroupBox>("Frame2")->isVisible());
        auto* delay = child<QComboBox>("Combo17");
        QCOMPARE(delay->count(), 10);
        QCOMPARE(delay->itemText(0), QString::fromUtf8("0毫秒"));
        QCOMPARE(delay->itemText(9), QString::fromUtf8("1800毫秒"));
        QCOMPARE(delay->currentText(), QString::fromUtf8("1200毫秒"));
        QCOMPARE(child<QComboBox>("Combo16")->currentText(), QString::fromUtf8("快"));
        auto* group = child<QComboBox>("Combo18");
        QStringList groupCodes;
        for (int i = 0; i < group->count(); ++i)
            groupCodes << group->itemText(i);
        QCOMPARE(groupCodes, QString::fromUtf8("空 * # A B C D").split(' '));
        QCOMPARE(group->currentIndex(), 0);
    }

    void startFormPutsEverythingBack() {
        for (int i = 0; i < DtmfEditor::DialMemoryCount; ++i)
            QTest::keyClicks(box(QString("Text1_%1").arg(i)), QString::number(i));
        child<QRadioButton>("Option2")->click();
        for (const char* list : {"Combo16", "Combo17", "Combo18"}) {
            auto* combo = child<QComboBox>(list);
            combo->setCurrentIndex(1);
        }
        QTest::keyClicks(box("Text2"), "123");
        QTest::keyClicks(box("Text3"), "45");

        m_form->StartForm();

        QCOMPARE(child<QComboBox>("Combo16")->currentIndex(), 0);
        QCOMPARE(child<QComboBox>("Combo17")->currentIndex(), 6);
        QCOMPARE(child<QComboBox>("Combo18")->currentIndex(), 0);
        for (int i = 0; i < DtmfEditor::DialMemoryCount; ++i)
            QVERIFY(box(QString("Text1_%1").arg(i))->text().isEmpty());
        QVERIFY(m_form->pttIdCode().isEmpty());
        QVERIFY(m_form->ownCode().isEmpty());
    }

    void optionButtonsSwitchPagesAndFocus() {
        child<QRadioButton>("Option2")->click();
        QVERIFY(child<QGroupBox>("Frame2")->isVisible());
        QVERIFY(!child<QGroupBox>("Frame1")->isVisible());
        QCOMPARE(QApplication::focusWidget(), child<QComboBox>("Combo16"));

        child<QRadioButton>("Option1")->click();
        QVERIFY(child<QGroupBox>("Frame1")->isVisible());
        QVERIFY(!child<QGroupBox>("Frame2")->isVisible());
        QCOMPARE(QApplication::focusWidget(), box("Text1_0"));
    }

    void decodedCodesAreShownWithinTheBoxRules() {
        m_form->setPttIdCode("0123456789ABCD*#99");
        QCOMPARE(m_form->pttIdCode(), QString("0123456789ABCD*#"));
        m_form->setOwnCode("12345678");
        QCOMPARE(m_form->ownCode(), QString("12345678"));
        QCOMPARE(box("Text3")->text(), QString("12345678"));
        m_form->setOwnCode("1-2");
        QCOMPARE(m_form->ownCode(), QString("12"));
        m_form->setOwnCode("");
        QVERIFY(m_form->ownCode().isEmpty());
    }

    void livesHiddenInTheMainWindowAndStaysChinese() {
        QTemporaryDir dir;
        QSettings(dir.filePath("settings.ini"), QSettings::IniFormat)
            .setValue("MZ7T/BinaryValue", QByteArray("\1\0\0\0", 4));
        auto main = shell::startProgram(shell::scratchFolders(dir.path()));
        DtmfEditor* form = main->dtmfEditor();
        QVERIFY(form);
        QCOMPARE(form->objectName(), QString("Form2"));
        auto* sub = qobject_cast<QMdiSubWindow*>(form->parentWidget());
        QVERIFY(sub);
        QVERIFY(!sub->isVisible());
        auto* item = main->findChild<QAction*>("MNDTMF");
        QVERIFY(!item->isVisible() && !item->isEnabled());
        QCOMPARE(form->windowTitle(), QString::fromUtf8("DTMF(双音多频)"));
        QCOMPARE(form->findChild<QRadioButton*>("Option2")->text(), QString::fromUtf8("其他功能"));

        main->showEditor(form);
        QVERIFY(sub->isVisible());
        form->setPttIdCode("123");
        sub->close();
        QVERIFY(!sub->isVisible());
        QCOMPARE(main->dtmfEditor(), form);
        QCOMPARE(form->pttIdCode(), QString("123"));

        ScriptedAnswers answers;
        answers.press("OK");
        QVERIFY(main->close());
    }
};

TQ_REGISTER_TEST(DtmfEditorTest);
#include "test_dtmf_editor.moc"
