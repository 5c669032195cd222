#include "words/editor_texts.h"

// Form1's caption, the header of its number column and its channel
// operations; its settings' captions and entries are the catalogue's.
namespace editors {

namespace {

using enum ui::TextTarget;
using ui::LanguageRow;

constexpr LanguageRow ChannelTableRows[] = {
    {"Form1", "", Caption, 0, "信道编辑", "Channel Edit"},
    {"Form1", "Grid1", HeaderCell, 0, "频道", "Fre"},
    {"Form1", "MNCut", Caption, 0, "剪切信道(&T)", "Cut Channels(&T)"},
    {"Form1", "MNCopy", Caption, 0, "复制信道(&C)", "Copy Channels(&C)"},
    {"Form1", "MNPaste", Caption, 0, "粘贴信道(&V)", "Paste Channels(&V)"},
    {"Form1", "MNDelete", Caption, 0, "删除信道(&L)", "Delete Channels(&L)"},
    {"Form1", "MNInsert", Caption, 0, "插入空信道(&I)", "Insert Empty Channel(&I)"},
    {"Form1", "MNMoveUp", Caption, 0, "上移信道(&U)", "Move Channels Up(&U)"},
    {"Form1", "MNMoveDown", Caption, 0, "下移信道(&O)", "Move Channels Down(&O)"},
};

} // namespace

const ui::LanguageTable ChannelTableTexts{ChannelTableRows};

} // namespace editors
