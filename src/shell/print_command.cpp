#include "shell/print_command.h"

#include "editors/channel_table.h"
#include "editors/optional_features.h"
#include "print/print_content.h"
#include "print/print_preview.h"
#include "shell/file_dialog.h"
#include "shell/main_window.h"
#include "ui/program_flags.h"

namespace shell {

void showPrintPreview(MainWindow& window) {
    // A value still being typed is settled first, as a save would.
    window.channelTable()->Text1_LostFocus();
    window.optionalFeatures()->commitPendingEntry();

    QWidget* grid = window.channelTable()->findChild<QWidget*>("Grid1");
    grid->setUpdatesEnabled(false);
    print::PrintPreview FrmPrint(
        [&window] {
            return print::PrintContent(window.editorValues(), ui::UILanguage,
                                       window.optionalFeatures()->isChecked("Check12"));
        },
        &window);
    FrmPrint.setPdfFolder(lastSaveFolder(window.programFolder()));
    QObject::connect(&FrmPrint, &print::PrintPreview::pdfSaved, &rememberSaveFolder);
    FrmPrint.exec();
    grid->setUpdatesEnabled(true);
}

} // namespace shell
