#include "editors/character_filter.h"

namespace editors {

CharacterFilter::CharacterFilter(Take take, int maxLength, QObject* parent)
    : QValidator(parent), m_take(take), m_maxLength(maxLength) {}

QString CharacterFilter::kept(const QString& text) const {
    QString result;
    for (QChar c : text)
        if (const auto taken = m_take(c.unicode()))
            result += QChar(*taken);
    return result;
}

QString CharacterFilter::filtered(const QString& text) const {
    QString result = kept(text);
    if (m_maxLength > 0)
        result.truncate(m_maxLength);
    return result;
}

QValidator::State CharacterFilter::validate(QString& input, int& pos) const {
    // What was just typed or pasted ends at the cursor: that is what gives
    // way when the box is full, not the text after the cursor.
    QString before = kept(input.left(pos));
    const QString after = filtered(input.mid(pos));
    if (m_maxLength > 0)
        before.truncate(m_maxLength - after.size());
    input = before + after;
    pos = before.size();
    return Acceptable;
}

std::optional<char16_t> digitKey(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c;
    return std::nullopt;
}

std::optional<char16_t> frequencyKey(char16_t c) {
    if (c == u'.')
        return c;
    return digitKey(c);
}

} // namespace editors
