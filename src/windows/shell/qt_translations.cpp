#include "shell/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace shell {

void applyQtTranslations(int language) {
    // Qt's Chinese texts are read when Chinese is first shown, not before.
    static QTranslator* chinese = nullptr;
    if (!chinese && language != 0)
        return;
    if (!chinese) {
        chinese = new QTranslator(QCoreApplication::instance());
        if (!chinese->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            return; // without Qt's translations its texts stay English
    }
    if (language == 0)
        QCoreApplication::installTranslator(chinese);
    else
        QCoreApplication::removeTranslator(chinese);
}

} // namespace shell
