#include "words/read_failure.h"

#include "words/messages.h"
#include "words/save_failure.h"

namespace ui {

void reportReadFailure(const QString& path, files::FileError error, int systemError) {
    if (error == files::FileError::NotRegularFile)
        showMessage(Msg::FileNotReadNotRegular, {shownFileName(path)});
    else if (error != files::FileError::None)
        showMessage(Msg::FileNotRead, {shownFileName(path), systemReason(systemError)});
}

} // namespace ui
