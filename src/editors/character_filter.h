#pragma once

#include <QValidator>

namespace editors {

// Filters what reaches an entry box, character by character, whether typed
// or pasted: each character is first mapped (for example to upper case),
// then kept only if it is accepted, and the box holds at most `maxLength`
// characters (0: no limit). The limit counts kept characters, so a paste is
// filtered before it is cut. Backspace and the editing keys are not
// characters and always work. Used instead of the box's own length limit,
// which would cut a paste before filtering it.
class CharacterFilter : public QValidator {
  public:
    using Map = QChar (*)(QChar);
    using Accept = bool (*)(QChar);

    CharacterFilter(Map map, Accept accept, int maxLength, QObject* parent);

    // The text as the box would take it in place of its content.
    QString filtered(const QString& text) const;

    State validate(QString& input, int& pos) const override;

  private:
    QString kept(const QString& text) const;

    Map m_map;
    Accept m_accept;
    int m_maxLength;
};

} // namespace editors
