#include "words/editor_texts.h"

// Form3's own captions; those of its settings are the catalogue's. The
// Chinese texts are also the texts the window is built with.
namespace editors {

namespace {

using enum ui::TextTarget;
using ui::LanguageRow;

constexpr LanguageRow OptionalFeaturesRows[] = {
    {"Form3", "", Caption, 0, "可选功能", "Optional Features"},
    {"Form3", "Option1", Caption, 0, "功能设置", "Function Set"},
    {"Form3", "Option2", Caption, 0, "全频频率", "VFO"},
    {"Form3", "Frame1", Caption, 0, "VOX(声控发射)", "VOX"},
    {"Form3", "Frame2", Caption, 0, "功能设置", "Function Set"},
    {"Form3", "Frame3", Caption, 0, "全频频率", "VFO"},
};

} // namespace

const ui::LanguageTable OptionalFeaturesTexts{OptionalFeaturesRows};

} // namespace editors
