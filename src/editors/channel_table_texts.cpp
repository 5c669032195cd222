#include "editors/editor_texts.h"

// Form1's caption, header row, list entries and channel operations.
namespace editors {

namespace {

using enum ui::TextTarget;
using ui::LanguageRow;

constexpr LanguageRow ChannelTableRows[] = {
    {"Form1", "Combo1", ListEntry, 0, "关闭", "Off"},
    {"Form1", "Combo5_5", ListEntry, 0, "低", "Low"},
    {"Form1", "Combo5_5", ListEntry, 1, "高", "High"},
    {"Form1", "Combo5_6", ListEntry, 0, "载波", "Carry"},
    {"Form1", "Combo5_6", ListEntry, 1, "关", "Off"},
    {"Form1", "Combo5_7", ListEntry, 0, "禁止", "Off"},
    {"Form1", "Combo5_7", ListEntry, 1, "使能", "On"},
    {"Form1", "Combo5_8", ListEntry, 0, "窄带", "Narror"},
    {"Form1", "Combo5_8", ListEntry, 1, "宽带", "wide"},
    {"Form1", "", Caption, 0, "信道编辑", "Channel Edit"},
    {"Form1", "Grid1", HeaderCell, 0, "频道", "Fre"},
    {"Form1", "Grid1", HeaderCell, 1, "接收频率", "RXFre"},
    {"Form1", "Grid1", HeaderCell, 2, "发射频率", "TXfre"},
    {"Form1", "Grid1", HeaderCell, 3, "接收亚音频", "QT/DQT Dec"},
    {"Form1", "Grid1", HeaderCell, 4, "发射亚音频", "QT/DQT Enc"},
    {"Form1", "Grid1", HeaderCell, 5, "功率", "Power"},
    {"Form1", "Grid1", HeaderCell, 6, "繁忙信道锁定", "Channel lock"},
    {"Form1", "Grid1", HeaderCell, 7, "扫描添加", "Add scan"},
    {"Form1", "Grid1", HeaderCell, 8, "宽窄带", "Band"},
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
