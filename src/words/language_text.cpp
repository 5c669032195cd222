#include "words/language_text.h"

#include <QRegularExpression>
#include <cstring>

namespace ui {

QString languageText(LanguageTable table, const char* window, const char* control,
                     TextTarget target, int index, int language) {
    for (const LanguageRow& row : table)
        if (row.target == target && row.index == index && std::strcmp(row.window, window) == 0 &&
            std::strcmp(row.control, control) == 0) {
            const char* text = language == 0 ? row.zh : row.en;
            return text ? QString::fromUtf8(text) : QString();
        }
    return {};
}

QString plainCaption(QString text) {
    static const QRegularExpression accessKeyGroup(R"(\(&.\))"); // "收音机功能(&F)"
    text.remove(accessKeyGroup);
    text.remove('&');
    text = text.trimmed();
    while (text.endsWith(':') || text.endsWith(QChar(0xFF1A)))
        text.chop(1);
    return text.trimmed();
}

} // namespace ui
