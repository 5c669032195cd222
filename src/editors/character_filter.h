#pragma once

#include <QValidator>

namespace editors {

// Filters what reaches an entry box, character by character, whether typed
// or pasted: each character is first mapped (for example to upper case),
// then kept only if it is accepted. Backspace and the editing keys are not
// characters and always work.
class CharacterFilter : public QValidator {
public:
    using Map = QChar (*)(QChar);
    using Accept = bool (*)(QChar);

    CharacterFilter(Map map, Accept accept, QObject* parent);

    // The text with every character mapped and the refused ones dropped.
    QString filtered(const QString& text) const;

    State validate(QString& input, int& pos) const override;

private:
    Map m_map;
    Accept m_accept;
};

} // namespace editors
