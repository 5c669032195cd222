// Answers the modal windows a test makes the program show, in the order the
// test wrote them down before the action that opens them. A box armed only
// after its action would open inside whatever event loop is running (a
// QTRY wait, another box) and nobody would answer it; a script armed first
// answers it wherever it opens.
//
// Each message box and file dialog that shows while a script lives goes to
// the script's next step; one the script did not expect (or that does not
// fit the next step) is recorded, closed and fails the test, so a test never
// hangs on it. Dialogs of the program's own (by object or class name) are
// watched only when the script names them. Scripts nest: the newest living
// one answers. With none alive, a message box or file dialog still fails the
// test and is closed.
#pragma once

#include "support/function_time_limit.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

// What a message box showed.
struct SeenMessageBox {
    QString title;
    QString text;
    QStringList buttons;
    QString defaultButton;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// What a file dialog offered.
struct SeenFileDialog {
    QString directory;
    QStringList nameFilters;
};

class ScriptedAnswers;

namespace scripted_answers_detail {

inline void failTest(const QString& why) {
    if (QTest::currentTestFunction())
        QTest::qFail(qPrintable(why), __FILE__, __LINE__);
    else
        qWarning("%s", qPrintable(why));
}

inline SeenMessageBox describe(QMessageBox* box) {
    SeenMessageBox seen{box->windowTitle(), box->text(), {}, {}, box->icon()};
    for (QAbstractButton* b : box->buttons())
        seen.buttons << b->text();
    if (box->defaultButton())
        seen.defaultButton = box->defaultButton()->text();
    return seen;
}

// Closes a modal window nobody was meant to see, so its event loop ends.
inline void dismiss(QWidget* window) {
    if (auto* dialog = qobject_cast<QDialog*>(window))
        dialog->reject();
    else
        window->close();
}

inline bool alwaysWatched(QWidget* window) {
    return qobject_cast<QMessageBox*>(window) || qobject_cast<QFileDialog*>(window);
}

// The one application-wide filter: it sees every window that shows and hands
// it, once its event loop runs, to the newest living script.
class Dispatcher : public QObject {
  public:
    using QObject::QObject;
    QList<ScriptedAnswers*> scripts;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow())
                QTimer::singleShot(0, this, [this, window = QPointer<QWidget>(widget)] {
                    if (window && window->isVisible())
                        dispatch(window);
                });
        }
        return false;
    }

  private:
    void dispatch(QWidget* window);
};

inline Dispatcher& dispatcher() {
    static auto* instance = [] {
        auto* d = new Dispatcher(qApp);
        qApp->installEventFilter(d);
        return d;
    }();
    return *instance;
}

inline void installDispatcher() {
    dispatcher();
}
Q_COREAPP_STARTUP_FUNCTION(installDispatcher)

} // namespace scripted_answers_detail

class ScriptedAnswers : public QObject {
  public:
    ScriptedAnswers() { scripted_answers_detail::dispatcher().scripts.append(this); }
    ~ScriptedAnswers() override {
        scripted_answers_detail::dispatcher().scripts.removeOne(this);
        if (!m_steps.empty() && !QTest::currentTestFailed())
            scripted_answers_detail::failTest("Never shown: " + m_steps.front().what);
    }
    ScriptedAnswers(const ScriptedAnswers&) = delete;
    ScriptedAnswers& operator=(const ScriptedAnswers&) = delete;

    // The next window is a message box: press the button with `caption`.
    ScriptedAnswers& press(const QString& caption) {
        m_steps.push_back(
            {"a message box answered with " + caption,
             [](QWidget* w) { return qobject_cast<QMessageBox*>(w) != nullptr; },
             [caption](QWidget* w) { pressOn(static_cast<QMessageBox*>(w), caption); }});
        return *this;
    }
    // The next window is a file dialog: choose `path` as if typed into its
    // name box, or cancel when `path` is empty.
    ScriptedAnswers& chooseFile(const QString& path) {
        m_steps.push_back(
            {"a file dialog answered with " + path,
             [](QWidget* w) { return qobject_cast<QFileDialog*>(w) != nullptr; },
             [this, path](QWidget* w) { choose(static_cast<QFileDialog*>(w), path); }});
        return *this;
    }
    // The next window is `name` (object or class name): `act` on it as a user
    // would; whatever it leaves open is closed after it.
    ScriptedAnswers& onDialog(const QString& name, std::function<void(QDialog*)> act) {
        forbid(name);
        m_steps.push_back(
            {"the window " + name,
             [name](QWidget* w) { return qobject_cast<QDialog*>(w) && isNamed(w, name); },
             [act](QWidget* w) {
                 const QPointer<QDialog> dialog(static_cast<QDialog*>(w));
                 act(dialog);
                 if (dialog && dialog->isVisible())
                     dialog->reject();
             }});
        return *this;
    }
    // A window `name` that shows out of turn fails the test.
    ScriptedAnswers& forbid(const QString& name) {
        m_watched << name;
        return *this;
    }

    // Every scripted window has shown and been answered.
    bool done() const { return m_steps.empty() && m_acting == 0; }
    // The message boxes seen, expected or not, in order.
    const QList<SeenMessageBox>& boxes() const { return m_boxes; }
    SeenMessageBox box(qsizetype n) const {
        return n < m_boxes.size() ? m_boxes[n] : SeenMessageBox{};
    }
    const QList<SeenFileDialog>& fileDialogs() const { return m_fileDialogs; }

    // Answers `window` if it is one this script watches.
    void take(QWidget* window) {
        if (!scripted_answers_detail::alwaysWatched(window) && !isWatched(window))
            return;
        if (auto* box = qobject_cast<QMessageBox*>(window))
            m_boxes << scripted_answers_detail::describe(box);
        if (m_steps.empty() || !m_steps.front().matches(window)) {
            unexpectedHere(window);
            return;
        }
        const Step step = m_steps.front();
        m_steps.pop_front();
        ++m_acting; // the step may open the next window inside it
        step.act(window);
        --m_acting;
    }

    // A window nobody scripted: recorded by the caller, closed here.
    static void unexpected(QWidget* window, const QString& expected = {}) {
        QString what =
            window->metaObject()->className() + QString(" \"") + window->windowTitle() + "\"";
        if (auto* box = qobject_cast<QMessageBox*>(window))
            what += ": " + box->text();
        scripted_answers_detail::failTest(
            "Unexpected " + what + (expected.isEmpty() ? QString() : ", expected " + expected));
        scripted_answers_detail::dismiss(window);
    }

  private:
    struct Step {
        QString what;
        std::function<bool(QWidget*)> matches;
        std::function<void(QWidget*)> act;
    };

    static bool isNamed(QWidget* window, const QString& name) {
        return window->objectName() == name || window->inherits(qPrintable(name));
    }
    bool isWatched(QWidget* window) const {
        for (const QString& name : m_watched)
            if (isNamed(window, name))
                return true;
        return false;
    }
    void unexpectedHere(QWidget* window) {
        unexpected(window, m_steps.empty() ? QString() : m_steps.front().what);
    }

    static void pressOn(QMessageBox* box, const QString& caption) {
        for (QAbstractButton* b : box->buttons())
            if (b->text() == caption) {
                b->click();
                return;
            }
        scripted_answers_detail::failTest("No button " + caption + " on the box: " + box->text());
        box->reject();
    }
    void choose(QFileDialog* dialog, const QString& path) {
        m_fileDialogs << SeenFileDialog{dialog->directory().absolutePath(), dialog->nameFilters()};
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        // Typed into the name box, as a user would; selectFile() applies late.
        if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
            name->setText(path);
        // Accepts the name as typed, like the Open/Save button would.
        static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
    }

    std::deque<Step> m_steps;
    QStringList m_watched;
    int m_acting = 0;
    QList<SeenMessageBox> m_boxes;
    QList<SeenFileDialog> m_fileDialogs;
};

inline void scripted_answers_detail::Dispatcher::dispatch(QWidget* window) {
    if (!scripts.isEmpty()) {
        scripts.last()->take(window);
        return;
    }
    if (alwaysWatched(window))
        ScriptedAnswers::unexpected(window);
}
