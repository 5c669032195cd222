#include "editors/character_filter.h"

namespace editors {

CharacterFilter::CharacterFilter(Map map, Accept accept, QObject* parent)
    : QValidator(parent), m_map(map), m_accept(accept) {}

QString CharacterFilter::filtered(const QString& text) const {
    QString kept;
    for (QChar c : text)
        if (const QChar mapped = m_map(c); m_accept(mapped))
            kept += mapped;
    return kept;
}

QValidator::State CharacterFilter::validate(QString& input, int& pos) const {
    // The cursor stays behind the same kept characters it was behind.
    const int keptBeforeCursor = filtered(input.left(pos)).size();
    input = filtered(input);
    pos = keptBeforeCursor;
    return Acceptable;
}

} // namespace editors
