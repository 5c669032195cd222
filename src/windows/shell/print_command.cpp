#include "shell/print_command.h"

#include "editors/channel_table.h"
#include "editors/optional_features.h"
#include "print/font_coverage.h"
#include "print/print_content.h"
#include "shell/file_dialog.h"
#include "shell/main_window.h"
#include "shell/print_preview.h"
#include "shell/settings_store.h"
#include "words/messages.h"
#include "words/program_flags.h"

#include <QFileInfo>

namespace shell {

void showPrintPreview(MainWindow& window) {
    // A value still being typed is settled first, as a save would.
    window.channelTable()->Text1_LostFocus();
    window.optionalFeatures()->commitPendingEntry();

    QWidget* grid = window.channelTable()->findChild<QWidget*>("Grid1");
    grid->setUpdatesEnabled(false);
    const auto content = [&window] {
        return print::PrintContent(window.editorValues(), ui::UILanguage,
                                   window.optionalFeatures()->isChecked("Check12"));
    };
    // Nothing is previewed, printed or saved that would show boxes.
    if (const QString missing = print::uncoveredCharacters(content()); !missing.isEmpty()) {
        ui::showMessage(ui::Msg::PrintFontMissing, {print::charactersNamed(missing)});
        grid->setUpdatesEnabled(true);
        return;
    }
    print::PrintPreview FrmPrint(content, &window);
    // The folder of the last PDF, from an earlier run too.
    const AppFolders& folders = window.folders();
    const QString keptFolder = folders.detached ? QString() : loadPdfFolder(folders.settingsFile);
    FrmPrint.setPdfFolder(lastFileFolder(keptFolder));
    QObject::connect(&FrmPrint, &print::PrintPreview::pdfSaved, [&folders](const QString& path) {
        rememberFileFolder(path);
        if (!folders.detached)
            savePdfFolder(folders.settingsFile, QFileInfo(path).absolutePath());
    });
    FrmPrint.exec();
    grid->setUpdatesEnabled(true);
}

} // namespace shell
