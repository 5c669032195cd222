#include "editors/editor_texts.h"

// Form3's captions and list entries. The Chinese texts are also the texts
// the window is built with.
namespace editors {

namespace {

using enum ui::TextTarget;
using ui::LanguageRow;

constexpr LanguageRow OptionalFeaturesRows[] = {
    {"Form3", "", Caption, 0, "可选功能", "Optional Features"},
    {"Form3", "Label1", Caption, 0, "记忆频道显示模式:", "Memory Mode:"},
    {"Form3", "Label10", Caption, 0, "自动背光:", "Auto Backlight:"},
    {"Form3", "Label105", Caption, 0, "扫描模式:", "Scan Mode:"},
    {"Form3", "Label11", Caption, 0, "发射超时:", "Time-out Timer:"},
    {"Form3", "Label12", Caption, 0, "倒频:", "Reverse Frequency:"},
    {"Form3", "Label13", Caption, 0, "自动关机:", "Auto Shut Power:"},
    {"Form3", "Label14", Caption, 0, "VOX增益电平:", "VOX Gain Level:"},
    {"Form3", "Label15", Caption, 0, "VOX延迟时间(秒):", "VOX Delay Time(s):"},
    {"Form3", "Label16", Caption, 0, "按键锁模式:", "Key Lock Mode:"},
    {"Form3", "Label19", Caption, 0, "收音机搜台模式:", "FM Scan Mode:"},
    {"Form3", "Label2", Caption, 0, "显示模式:", "Display Mode:"},
    {"Form3", "Label20", Caption, 0, "全频频率:", "Frequency:"},
    {"Form3", "Label21", Caption, 0, "异频数:", "Offset Data:"},
    {"Form3", "Label22", Caption, 0, "接收亚音频:", "QT/DQT Dec:"},
    {"Form3", "Label23", Caption, 0, "发射亚音频:", "QT/DQT Enc:"},
    {"Form3", "Label24", Caption, 0, "功率:", "Power:"},
    {"Form3", "Label25", Caption, 0, "繁忙信道锁定:", "BusyChannel Lock:"},
    {"Form3", "Label27", Caption, 0, "宽窄带:", "Wide/Narrow:"},
    {"Form3", "Label3", Caption, 0, "步进频率:", "Step Frequency:"},
    {"Form3", "Label30", Caption, 0, "异频:", "Offset:"},
    {"Form3", "Label31", Caption, 0, "提示音:", "Beep:"},
    {"Form3", "Label4", Caption, 0, "收音机监听信号:", "Fm Monitor:"},
    {"Form3", "Label5", Caption, 0, "静噪等级:", "Squelch Level:"},
    {"Form3", "Label6", Caption, 0, "当前频道数:", " Present Channel:"},
    {"Form3", "Label7", Caption, 0, "语音通知:", "Language:"},
    {"Form3", "Label8", Caption, 0, "省电:", "Battery Save:"},
    {"Form3", "Label9", Caption, 0, "按键锁:", "Key Lock:"},

    // All three display modes in both languages, so a radio set to show
    // channels keeps that mode through a Chinese session.
    {"Form3", "Combo1", ListEntry, 0, "全频", "VFO"},
    {"Form3", "Combo1", ListEntry, 1, "频道与频率", "Channel-Frequency"},
    {"Form3", "Combo1", ListEntry, 2, "频道", "Channel"},
    {"Form3", "Combo10", ListEntry, 0, "关", "Off"},
    {"Form3", "Combo10", ListEntry, 1, "开", "On"},
    {"Form3", "Combo11", ListEntry, 0, "关", "Off"},
    {"Form3", "Combo11", ListEntry, 1, "开", "On"},
    {"Form3", "Combo4", ListEntry, 0, "关", "Off"},
    {"Form3", "Combo4", ListEntry, 1, "开", "On"},
    {"Form3", "Combo8", ListEntry, 0, "关", "Off"},
    {"Form3", "Combo8", ListEntry, 1, "开", "On"},
    {"Form3", "Combo16", ListEntry, 0, "频道", "Channel"},
    {"Form3", "Combo16", ListEntry, 1, "频率", "Frequency"},
    {"Form3", "Combo2", ListEntry, 0, "倒频", "Reverse"},
    {"Form3", "Combo2", ListEntry, 1, "正常", "Normal"},
    {"Form3", "Combo22", ListEntry, 0, "关闭", "Off"},
    {"Form3", "Combo23", ListEntry, 0, "关闭", "Off"},
    {"Form3", "Combo24", ListEntry, 0, "低", "Low"},
    {"Form3", "Combo24", ListEntry, 1, "高", "High"},
    {"Form3", "Combo25", ListEntry, 0, "载波", "Carry"},
    {"Form3", "Combo25", ListEntry, 1, "关", "Off"},
    {"Form3", "Combo27", ListEntry, 0, "窄带", "Narrow"},
    {"Form3", "Combo27", ListEntry, 1, "宽带", "Wide"},
    {"Form3", "Combo12", ListEntry, 0, "自动", "Auto"},
    {"Form3", "Combo12", ListEntry, 1, "手动", "Manual"},
    {"Form3", "Combo105", ListEntry, 0, "载波", "Carry"},
    {"Form3", "Combo105", ListEntry, 1, "时间", "Time"},
    {"Form3", "Combo105", ListEntry, 2, "搜索", "Search"},
    {"Form3", "Combo19", ListEntry, 0, "手动", "Manual"},
    {"Form3", "Combo19", ListEntry, 1, "自动", "Auto"},
    {"Form3", "Combo6", ListEntry, 0, "关", "Off"},
    {"Form3", "Combo6", ListEntry, 1, "60 分钟", "60 Minute"},
    {"Form3", "Combo6", ListEntry, 2, "120 分钟", "120 Minute"},
    {"Form3", "Combo6", ListEntry, 3, "180 分钟", "180 Minute"},
    {"Form3", "Combo6", ListEntry, 4, "240 分钟", "240 Minute"},
    {"Form3", "Combo7", ListEntry, 0, "关", "Off"},
    {"Form3", "Combo7", ListEntry, 1, "中文", "Chinese"},
    {"Form3", "Combo7", ListEntry, 2, "英文", "Englist"},
    {"Form3", "Combo9", ListEntry, 0, "上锁", "Lock"},
    {"Form3", "Combo9", ListEntry, 1, "正常", "Normal"},
    {"Form3", "Combo30", ListEntry, 0, "+异频", "Add"},
    {"Form3", "Combo30", ListEntry, 1, "-异频", "Sub"},
    {"Form3", "Combo30", ListEntry, 2, "无异频", "None"},
    {"Form3", "Combo14", ListEntry, 0, "关", "Off"},
    {"Form3", "Combo13", ListEntry, 0, "关闭", "Off"},
    {"Form3", "Combo13", ListEntry, 1, "60 秒", "60 S"},
    {"Form3", "Combo13", ListEntry, 2, "120 秒", "120 S"},
    {"Form3", "Combo13", ListEntry, 3, "180 秒", "180 S"},

    {"Form3", "Check12", Caption, 0, "允许取消操作", "Allow to Cancel Operating"},
    {"Form3", "Check1", Caption, 0, "接收时禁止VOX", "Forbid VOX while receiving"},
    {"Form3", "Option1", Caption, 0, "功能设置", "Function Set"},
    {"Form3", "Option2", Caption, 0, "全频频率", "VFO"},
    {"Form3", "Frame1", Caption, 0, "VOX(声控发射)", "VOX"},
    {"Form3", "Frame2", Caption, 0, "功能设置", "Function Set"},
    {"Form3", "Frame3", Caption, 0, "全频频率", "VFO"},
};

} // namespace

const ui::LanguageTable OptionalFeaturesTexts{OptionalFeaturesRows};

} // namespace editors
