#pragma once

#include <QValidator>
#include <optional>

namespace editors {

// Filters what reaches an entry box, character by character, whether typed
// or pasted: `take` gives the character the box keeps for a typed one (for
// example its upper case) or refuses it, and the box holds at most
// `maxLength` characters (0: no limit). The limit counts kept characters,
// so a paste is filtered before it is cut; this is why the box's own length
// limit is not used. Backspace and the editing keys are not characters and
// always work.
class CharacterFilter : public QValidator {
  public:
    using Take = std::optional<char16_t> (*)(char16_t);

    CharacterFilter(Take take, int maxLength, QObject* parent);

    // The text as the box would take it in place of its content.
    QString filtered(const QString& text) const;

    State validate(QString& input, int& pos) const override;

  private:
    QString kept(const QString& text) const;

    Take m_take;
    int m_maxLength;
};

// The characters of a frequency box: the digits 0 to 9 and the point.
std::optional<char16_t> frequencyKey(char16_t c);

// The characters of a whole-number box: the digits 0 to 9.
std::optional<char16_t> digitKey(char16_t c);

} // namespace editors
