// The started program and the controls the editor tests drive.
#pragma once

#include "editors/band_selection.h"
#include "editors/channel_table.h"
#include "shell/apply_language.h"
#include "shell/main_window.h"
#include "shell/parameter_file.h"
#include "shell/startup.h"
#include "support/scripted_answers.h"
#include "words/program_flags.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

struct ProgramFixture {
    QTemporaryDir dir;
    std::unique_ptr<shell::MainWindow> window;
    editors::ChannelTable* form = nullptr;
    QTableWidget* grid = nullptr;
    QLineEdit* text1 = nullptr;

    // Starts the program in English (`language` 1) or Chinese (0), without a
    // serial port, or with port `portNumber` chosen where `ports` say.
    explicit ProgramFixture(int language = 1, const radiolink::PortPlaces& ports = {},
                            int portNumber = 0) {
        shell::AppFolders folders = shell::scratchFolders(dir.path());
        if (portNumber > 0) {
            shell::writeComPortIndex(dir.path(), portNumber - 1);
            folders.ports = ports;
        }
        window = shell::startProgram(folders);
        ui::UILanguage = language;
        shell::ApplyLanguage(window.get());
        form = window->findChild<editors::ChannelTable*>("Form1");
        grid = form->findChild<QTableWidget*>("Grid1");
        text1 = form->findChild<QLineEdit*>("Text1");
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    ~ProgramFixture() {
        ScriptedAnswers quit;
        quit.press(ui::isChinese() ? "确定" : "OK");
        window->close();
    }

    QComboBox* bandList() const {
        return window->findChild<QWidget*>("CoolBar1")->findChild<QComboBox*>("Combo1");
    }
    QComboBox* list(const char* name) const { return form->findChild<QComboBox*>(name); }
    // The list laid over a cell, if one is.
    QComboBox* openList() const {
        for (auto* combo : form->findChildren<QComboBox*>())
            if (combo->isVisible())
                return combo;
        return nullptr;
    }
    const image::BandLimits& band() const { return window->Band; }
    const image::ChannelTableValues& tables() const { return form->channelValues(); }

    // A cell of the grid, counted as the channel table counts (row 1 = channel 1).
    QString cell(int row, int col) const { return form->cellText(row, col); }
    QRect cellRect(int row, int col) const {
        return grid->visualRect(grid->model()->index(row - 1, col));
    }
    void press(int row, int col, Qt::MouseButton button = Qt::LeftButton) {
        grid->scrollToItem(grid->item(row - 1, col));
        QTest::mouseClick(grid->viewport(), button, {}, cellRect(row, col).center());
    }
    // Types into the entry box of a frequency cell and leaves it with Enter.
    void enterFrequency(int row, int col, const QString& typed) {
        press(row, col);
        QTest::keyClick(text1, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(text1, Qt::Key_Delete);
        QTest::keyClicks(text1, typed);
        QTest::keyClick(text1, Qt::Key_Return);
    }
    // Opens the list over a cell and chooses `position` in its popup.
    void chooseFromList(int row, int col, int position) {
        press(row, col);
        QComboBox* combo = openList();
        QVERIFY(combo && combo->view()->isVisible());
        combo->view()->setCurrentIndex(combo->model()->index(position, 0));
        QTest::keyClick(combo->view(), Qt::Key_Return);
    }
};
