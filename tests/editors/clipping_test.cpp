#include "editors/dtmf_editor.h"
#include "editors/fm_presets_editor.h"
#include "editors/optional_features.h"
#include "editors/power_levels.h"
#include "support/program_fixture.h"
#include "support/test_registry.h"

#include <QAbstractItemView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QStyleOptionComboBox>

namespace {

// The room a closed list has for the entry it shows.
int textRoom(const QComboBox* box) {
    QStyleOptionComboBox option;
    option.initFrom(box);
    option.editable = box->isEditable();
    option.frame = box->hasFrame();
    option.subControls = QStyle::SC_All;
    return box->style()
        ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box)
        .width();
}

int widestEntry(const QComboBox* box) {
    int widest = 0;
    for (int i = 0; i < box->count(); ++i)
        widest = std::max(widest, box->fontMetrics().horizontalAdvance(box->itemText(i)));
    return widest;
}

QString name(const QWidget* control) {
    return control->window()->objectName() + "/" + control->parentWidget()->objectName() + "/" +
           control->objectName();
}

void verifyWhole(const QComboBox* box) {
    QVERIFY2(textRoom(box) >= widestEntry(box), qPrintable(name(box)));
}

// Every shown label and list of `form` holds its longest text.
void verifyNothingClipped(const QWidget* form, const QList<const QWidget*>& skip = {}) {
    for (const QLabel* label : form->findChildren<QLabel*>()) {
        if (!label->isVisible() || label->wordWrap() || label->text().isEmpty())
            continue;
        const int needed = label->fontMetrics().horizontalAdvance(label->text());
        QVERIFY2(label->contentsRect().width() >= needed,
                 qPrintable(name(label) + " \"" + label->text() + "\""));
    }
    for (const QComboBox* box : form->findChildren<QComboBox*>())
        if (box->isVisible() && !skip.contains(box))
            verifyWhole(box);
}

// With TQ305_SHOTS naming a folder, the windows are saved there as pictures
// to be looked at.
void shot(QWidget* widget, const QString& what) {
    const QString folder = qEnvironmentVariable("TQ305_SHOTS");
    if (!folder.isEmpty())
        widget->grab().save(folder + "/" + QTest::currentDataTag() + " " + what + ".png");
}

void showEditor(QWidget* form) {
    form->parentWidget()->show();
    QVERIFY(QTest::qWaitForWindowExposed(form));
    QApplication::processEvents();
}

} // namespace

// No list or label cuts its text, in either language.
class ClippingTest : public QObject {
    Q_OBJECT

  private slots:
    void nothingClipped_data() {
        QTest::addColumn<int>("started");
        QTest::addColumn<int>("language");
        QTest::newRow("Chinese") << 0 << 0;
        QTest::newRow("English") << 1 << 1;
        QTest::newRow("English, then Chinese") << 1 << 0;
        QTest::newRow("Chinese, then English") << 0 << 1;
    }
    void nothingClipped() {
        QFETCH(int, started);
        QFETCH(int, language);
        ProgramFixture p(started);
        // The windows are on the screen before the language changes, as a
        // user who switches with the windows open has them.
        auto* features = p.window->optionalFeatures();
        const QList<QWidget*> editors{features, p.window->dtmfEditor(), p.window->fmPresetsEditor(),
                                      p.window->powerLevels()};
        for (QWidget* form : editors)
            showEditor(form);
        p.window->switchLanguage(language);
        QApplication::processEvents();

        verifyNothingClipped(p.window->findChild<QWidget*>("CoolBar1"));
        for (QWidget* form : editors) {
            form->parentWidget()->raise();
            verifyNothingClipped(form);
            shot(form->parentWidget(), form->objectName());
        }
        shot(p.window.get(), "main window");
        // The second pages: Form3's VFO settings, Form2's other functions.
        for (QWidget* form : {editors[0], editors[1]}) {
            form->findChild<QRadioButton*>("Option2")->click();
            QApplication::processEvents();
            verifyNothingClipped(form);
            shot(form->parentWidget(), form->objectName() + " page 2");
        }

        // The channel table's lists, each opened over its cell.
        showEditor(p.form);
        QList<const QWidget*> overlays;
        p.enterFrequency(1, 1, "440"); // an empty channel opens on its frequency only
        for (int col = 3; col <= 8; ++col) {
            p.press(1, col);
            QComboBox* open = p.openList();
            QVERIFY(open);
            verifyWhole(open);
            if (col == 3 || col == 5)
                shot(open->view()->window(), QString("Form1 list %1").arg(col));
            overlays << open;
            open->hidePopup();
            QTest::keyClick(open, Qt::Key_Escape);
        }
        verifyNothingClipped(p.form, overlays);
        p.press(1, 5);
        shot(p.form, "Form1 power list");
    }
};

TQ_REGISTER_TEST(ClippingTest);
#include "clipping_test.moc"
