#include "words/file_names.h"

#include <QStringDecoder>
#include <algorithm>

namespace ui {

namespace {

constexpr char16_t KeptByteBase = 0xDC00; // + a byte 0x80..0xFF

// The length of the UTF-8 sequence a byte starts; 0 when it starts none.
qsizetype sequenceLength(uchar lead) {
    if (lead < 0x80)
        return 1;
    if ((lead & 0xE0) == 0xC0)
        return 2;
    if ((lead & 0xF0) == 0xE0)
        return 3;
    if ((lead & 0xF8) == 0xF0)
        return 4;
    return 0;
}

// A code unit fileNameText made for a byte that is not UTF-8; after a high
// surrogate it is the second half of a character instead.
bool isKeptByte(const QString& text, qsizetype i) {
    const char16_t c = text[i].unicode();
    return c >= KeptByteBase + 0x80 && c <= KeptByteBase + 0xFF &&
           (i == 0 || !text[i - 1].isHighSurrogate());
}

QString hexEscape(unsigned value) {
    return "\\x" + QString::number(value, 16).toUpper().rightJustified(2, '0');
}

} // namespace

QString fileNameText(const QByteArray& name) {
    // Most names are ASCII: the long lists of the history show thousands.
    if (std::all_of(name.begin(), name.end(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(name);
    QString text;
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype length = sequenceLength(uchar(name[i]));
        if (length > 0 && i + length <= name.size()) {
            // U+FEFF is a character of the name here, not a byte order mark to drop.
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless |
                                                          QStringDecoder::Flag::ConvertInitialBom);
            const QString character = utf8(name.mid(i, length));
            if (!utf8.hasError()) {
                text += character;
                i += length;
                continue;
            }
        }
        text += QChar(char16_t(KeptByteBase + uchar(name[i])));
        ++i;
    }
    return text;
}

QByteArray fileNameBytes(const QString& name) {
    QByteArray bytes;
    qsizetype runStart = 0; // the text since the last kept byte, encoded as a whole
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (!isKeptByte(name, i))
            continue;
        bytes += name.mid(runStart, i - runStart).toUtf8();
        bytes += char(name[i].unicode() - KeptByteBase);
        runStart = i + 1;
    }
    return bytes + name.mid(runStart).toUtf8();
}

QString printableFileName(const QString& name) {
    QString shown;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name[i];
        if (isKeptByte(name, i))
            shown += hexEscape(c.unicode() - KeptByteBase);
        else if (c == '\n')
            shown += "\\n";
        else if (c == '\r')
            shown += "\\r";
        else if (c == '\t')
            shown += "\\t";
        else if (c.category() == QChar::Other_Control || c.category() == QChar::Separator_Line ||
                 c.category() == QChar::Separator_Paragraph)
            shown += hexEscape(c.unicode());
        else
            shown += c;
    }
    return shown;
}

std::string printableBytes(std::string_view bytes) {
    return printableFileName(fileNameText(QByteArray(bytes.data(), qsizetype(bytes.size()))))
        .toStdString();
}

} // namespace ui
