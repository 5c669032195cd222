#include "editors/editor_texts.h"

// Form4's captions. The value labels get the bare frame captions; the next
// slider change puts the number back behind them.
namespace editors {

namespace {

using enum ui::TextTarget;
using ui::LanguageRow;

constexpr LanguageRow PowerLevelsRows[] = {
    {"Form4", "", Caption, 0, "调试", "Debugging"},
    {"Form4", "Frame1", Caption, 0, "高功率等级", "High Power Grades"},
    {"Form4", "Frame2", Caption, 0, "低功率等级", "Low Power Grades"},
    {"Form4", "Label1", Caption, 0, "低", "Low"},
    {"Form4", "Label6", Caption, 0, "低", "Low"},
    {"Form4", "Label2", Caption, 0, "高", "High"},
    {"Form4", "Label5", Caption, 0, "高", "High"},
    {"Form4", "Label3", Caption, 0, "高功率等级", "High Power Grades"},
    {"Form4", "Label4", Caption, 0, "低功率等级", "Low Power Grades"},
};

} // namespace

const ui::LanguageTable PowerLevelsTexts{PowerLevelsRows};

} // namespace editors
