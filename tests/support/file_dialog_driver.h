#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTimer>

// Answers the next file dialog: chooses `path`, or cancels when it is empty.
// `seen` (if given) receives the dialog's folder and filters.
struct SeenFileDialog {
    bool shown = false;
    QString directory;
    QStringList nameFilters;
};

inline void answerNextFileDialog(const QString& path, SeenFileDialog* seen = nullptr,
                                 int triesLeft = 3000) {
    QTimer::singleShot(10, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            if (triesLeft > 0)
                answerNextFileDialog(path, seen, triesLeft - 1);
            return;
        }
        if (seen) {
            seen->shown = true;
            seen->directory = dialog->directory().absolutePath();
            seen->nameFilters = dialog->nameFilters();
        }
        if (path.isEmpty()) {
            dialog->reject();
            return;
        }
        // Typed into the name box, as a user would; selectFile() applies late.
        if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
            name->setText(path);
        // Accepts the chosen name as typed, like the Open/Save button would.
        static_cast<QDialog*>(dialog)->done(QDialog::Accepted);
    });
}
