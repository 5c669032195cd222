#include "settings/catalogue.h"
#include "words/editor_texts.h"

// Form4's captions; the frames' are the catalogue's. The value labels get
// the bare frame captions; the next slider change puts the number back
// behind them.
namespace editors {

namespace {

using enum ui::TextTarget;
using ui::LanguageRow;

settings::Texts captionOf(const char* slider) {
    return settings::settingOf("Form4", slider)->caption;
}

const settings::Texts High = captionOf("Slider1");
const settings::Texts Low = captionOf("Slider2");

const LanguageRow PowerLevelsRows[] = {
    {"Form4", "", Caption, 0, "调试", "Debugging"},
    {"Form4", "Label1", Caption, 0, "低", "Low"},
    {"Form4", "Label6", Caption, 0, "低", "Low"},
    {"Form4", "Label2", Caption, 0, "高", "High"},
    {"Form4", "Label5", Caption, 0, "高", "High"},
    {"Form4", "Label3", Caption, 0, High.zh, High.en},
    {"Form4", "Label4", Caption, 0, Low.zh, Low.en},
};

} // namespace

const ui::LanguageTable PowerLevelsTexts{PowerLevelsRows};

} // namespace editors
