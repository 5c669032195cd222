#include "settings/catalogue.h"

#include "image/image_layout.h"

#include <array>
#include <charconv>
#include <cstring>

namespace settings {

namespace {

// Entries the same in both languages.
constexpr Texts same(const char* text) {
    return {text, text};
}

constexpr Texts OffOn[] = {{"关", "Off"}, {"开", "On"}};
constexpr Texts ToneOff[] = {{"关闭", "Off"}};

constexpr Texts Bands[] = {
    same("136-174MHz"), same("240-260MHz"), same("350-390MHz"), same("400-480MHz"),
    same("400-420MHz"), same("450-470MHz"), same("440-480MHz"), same("450-490MHz"),
};

// The channel table's list columns.
constexpr Texts ChannelPower[] = {{"低", "Low"}, {"高", "High"}};
constexpr Texts ChannelBusyLock[] = {{"载波", "Carry"}, {"关", "Off"}};
constexpr Texts ChannelScanAdd[] = {{"禁止", "Off"}, {"使能", "On"}};
constexpr Texts ChannelWidth[] = {{"窄带", "Narror"}, {"宽带", "wide"}};

// The optional features' lists. All three display modes are in both
// languages, so a radio set to show channels keeps that mode through a
// Chinese session.
constexpr Texts DisplayModes[] = {
    {"全频", "VFO"}, {"频道与频率", "Channel-Frequency"}, {"频道", "Channel"}};
constexpr Texts Reverse[] = {{"倒频", "Reverse"}, {"正常", "Normal"}};
constexpr Texts Steps[] = {same("5K"), same("10K"), same("6.25K"), same("12.5K"), same("25K")};
constexpr Texts Squelch[] = {same("0"), same("1"), same("2"), same("3"), same("4"),
                             same("5"), same("6"), same("7"), same("8"), same("9")};
constexpr Texts AutoPowerOff[] = {{"关", "Off"},
                                  {"60 分钟", "60 Minute"},
                                  {"120 分钟", "120 Minute"},
                                  {"180 分钟", "180 Minute"},
                                  {"240 分钟", "240 Minute"}};
constexpr Texts VoicePrompt[] = {{"关", "Off"}, {"中文", "Chinese"}, {"英文", "Englist"}};
constexpr Texts KeyLock[] = {{"上锁", "Lock"}, {"正常", "Normal"}};
constexpr Texts AutoManual[] = {{"自动", "Auto"}, {"手动", "Manual"}};
constexpr Texts ManualAuto[] = {{"手动", "Manual"}, {"自动", "Auto"}};
constexpr Texts TimeOut[] = {
    {"关闭", "Off"}, {"60 秒", "60 S"}, {"120 秒", "120 S"}, {"180 秒", "180 S"}};
constexpr Texts VoxGain[] = {{"关", "Off"}, same("1"), same("2"), same("3"), same("4"),
                             same("5"),     same("6"), same("7"), same("8"), same("9")};
constexpr Texts VoxDelay[] = {same("0.5"), same("1"),   same("1.5"),
                              same("2"),   same("2.5"), same("3")};
constexpr Texts MemoryMode[] = {{"频道", "Channel"}, {"频率", "Frequency"}};
constexpr Texts ScanModes[] = {{"载波", "Carry"}, {"时间", "Time"}, {"搜索", "Search"}};
constexpr Texts VfoPower[] = {{"低", "Low"}, {"高", "High"}};
constexpr Texts VfoBusyLock[] = {{"载波", "Carry"}, {"关", "Off"}};
constexpr Texts OffsetDirections[] = {{"+异频", "Add"}, {"-异频", "Sub"}, {"无异频", "None"}};
constexpr Texts VfoWidth[] = {{"窄带", "Narrow"}, {"宽带", "Wide"}};
// Hidden lists, Chinese in both languages.
constexpr Texts ScanAdd[] = {same("禁止"), same("使能")};
constexpr Texts Ani[] = {same("使能"), same("禁止")};

// The DTMF and FM windows are Chinese in both languages.
constexpr Texts DtmfRates[] = {same("快"), same("慢")};
constexpr Texts FirstDigitDelays[] = {
    same("0毫秒"),    same("200毫秒"),  same("400毫秒"),  same("600毫秒"),  same("800毫秒"),
    same("1000毫秒"), same("1200毫秒"), same("1400毫秒"), same("1600毫秒"), same("1800毫秒")};
constexpr Texts GroupCalls[] = {same("空"), same("*"), same("#"), same("A"),
                                same("B"),  same("C"), same("D")};
constexpr Texts FmChannels[] = {
    same("1"),  same("2"),  same("3"),  same("4"),  same("5"),  same("6"),  same("7"),  same("8"),
    same("9"),  same("10"), same("11"), same("12"), same("13"), same("14"), same("15"), same("16"),
    same("17"), same("18"), same("19"), same("20"), same("21"), same("22"), same("23"), same("24"),
    same("25"), same("26"), same("27"), same("28"), same("29"), same("30"), same("31"), same("32")};
constexpr Texts FmDisplayModes[] = {same("频道"), same("频率")};
constexpr Texts FmSteps[] = {same("50K"), same("100K")};

using enum Kind;
using enum Field;
using enum Taking;

constexpr int Channels = image::ChannelCount;
constexpr int FmPresets = image::FmPresetCount;

// A list of the optional features window.
constexpr Setting feature(std::string_view key, const char* control, const char* label,
                          Texts caption, std::span<const Texts> entries, int newPosition,
                          bool tones = false) {
    return {key,         "Form3",       control, label, caption,    List,
            FeatureList, WhenListHolds, entries, tones, newPosition};
}

constexpr Setting featureText(std::string_view key, const char* control, const char* label,
                              Texts caption, int maximum) {
    return {key,    "Form3", control, label, caption, Text,   FeatureText,
            Always, {},      false,   0,     0,       maximum};
}

// Controls of the optional features window that no image holds and that
// the window keeps hidden; the printout reads the check boxes.
constexpr Setting hiddenList(std::string_view key, const char* control, const char* label,
                             Texts caption, std::span<const Texts> entries) {
    return {key,   "Form3", control, label, caption, List, None, Never, entries,
            false, 1,       0,       0,     1,       0,    "",   true};
}

constexpr Setting hiddenCheck(std::string_view key, const char* control, Texts caption) {
    return {key,   "Form3", control, "", caption, Check, None, Never, {},
            false, 0,       0,       0,  1,       0,     "",   true};
}

// A column of the channel table.
constexpr Setting channelFrequency(std::string_view key, Texts caption, Field field, int column) {
    return {key, "Form1", "Grid1", "", caption, Text,     field, Always,
            {},  false,   0,       0,  9,       Channels, column};
}

// A list column of the channel table: a tone column takes any decoded tone
// (a code in no table shows its text), a flag column only a position its
// list holds. After New every flag list stands at 1.
constexpr Setting channelList(std::string_view key, Texts caption, Field field,
                              std::span<const Texts> entries, int column, const char* list) {
    const bool tone = field != ChannelFlag;
    return {key,     "Form1",  "Grid1",      "",
            caption, List,     field,        tone ? Always : WhenListHolds,
            entries, tone,     tone ? 0 : 1, 0,
            0,       Channels, column,       list};
}

// In the order the windows show them: the dump and the printout follow it.
constexpr Setting Catalogue[] = {
    {"band",
     "MDIForm1",
     "Combo1",
     "Label1",
     {"频段", "Frequency"},
     List,
     Field::Band,
     WhenListHolds,
     Bands,
     false,
     DefaultBandCode},

    // Form1: the channel table, a column per setting.
    channelFrequency("channels[].rx_frequency", {"接收频率", "RXFre"}, ChannelRxFrequency, 1),
    channelFrequency("channels[].tx_frequency", {"发射频率", "TXfre"}, ChannelTxFrequency, 2),
    channelList("channels[].rx_tone", {"接收亚音频", "QT/DQT Dec"}, ChannelRxTone, ToneOff, 3,
                "Combo1"),
    channelList("channels[].tx_tone", {"发射亚音频", "QT/DQT Enc"}, ChannelTxTone, ToneOff, 4,
                "Combo1"),
    channelList("channels[].power", {"功率", "Power"}, ChannelFlag, ChannelPower, 5, "Combo5_5"),
    channelList("channels[].busy_lock", {"繁忙信道锁定", "Channel lock"}, ChannelFlag,
                ChannelBusyLock, 6, "Combo5_6"),
    channelList("channels[].scan_add", {"扫描添加", "Add scan"}, ChannelFlag, ChannelScanAdd, 7,
                "Combo5_7"),
    channelList("channels[].bandwidth", {"宽窄带", "Band"}, ChannelFlag, ChannelWidth, 8,
                "Combo5_8"),

    // Form3: the function page, left column then right, the VFO page, the VOX frame.
    feature("features.memory_mode", "Combo16", "Label1", {"记忆频道显示模式:", "Memory Mode:"},
            MemoryMode, 1),
    feature("features.auto_power_off", "Combo6", "Label13", {"自动关机:", "Auto Shut Power:"},
            AutoPowerOff, 0),
    feature("features.scan_mode", "Combo105", "Label105", {"扫描模式:", "Scan Mode:"}, ScanModes,
            1),
    feature("features.voice_prompt", "Combo7", "Label7", {"语音通知:", "Language:"}, VoicePrompt,
            1),
    feature("features.key_lock", "Combo9", "Label9", {"按键锁:", "Key Lock:"}, KeyLock, 1),
    feature("features.key_lock_mode", "Combo12", "Label16", {"按键锁模式:", "Key Lock Mode:"},
            AutoManual, 1),
    feature("features.display_mode", "Combo1", "Label2", {"显示模式:", "Display Mode:"},
            DisplayModes, 1),
    feature("features.fm_monitor", "Combo11", "Label4", {"收音机监听信号:", "Fm Monitor:"}, OffOn,
            1),
    featureText("features.present_channel", "Text6", "Label6", {"当前频道数:", " Present Channel:"},
                2),
    feature("features.step", "Combo3", "Label3", {"步进频率:", "Step Frequency:"}, Steps, 4),
    feature("features.squelch", "Combo5", "Label5", {"静噪等级:", "Squelch Level:"}, Squelch, 4),
    feature("features.battery_save", "Combo8", "Label8", {"省电:", "Battery Save:"}, OffOn, 1),
    feature("features.backlight", "Combo10", "Label10", {"自动背光:", "Auto Backlight:"}, OffOn, 1),
    feature("features.fm_scan_mode", "Combo19", "Label19", {"收音机搜台模式:", "FM Scan Mode:"},
            ManualAuto, 1),
    feature("features.time_out", "Combo13", "Label11", {"发射超时:", "Time-out Timer:"}, TimeOut,
            1),
    feature("features.beep", "Combo4", "Label31", {"提示音:", "Beep:"}, OffOn, 1),
    feature("features.reverse", "Combo2", "Label12", {"倒频:", "Reverse Frequency:"}, Reverse, 1),
    featureText("vfo.frequency", "Text20", "Label20", {"全频频率:", "Frequency:"}, 9),
    featureText("vfo.offset", "Text21", "Label21", {"异频数:", "Offset Data:"}, 9),
    feature("vfo.rx_tone", "Combo22", "Label22", {"接收亚音频:", "QT/DQT Dec:"}, ToneOff, 0, true),
    feature("vfo.tx_tone", "Combo23", "Label23", {"发射亚音频:", "QT/DQT Enc:"}, ToneOff, 0, true),
    feature("vfo.power", "Combo24", "Label24", {"功率:", "Power:"}, VfoPower, 1),
    feature("vfo.busy_lock", "Combo25", "Label25", {"繁忙信道锁定:", "BusyChannel Lock:"},
            VfoBusyLock, 1),
    feature("vfo.offset_direction", "Combo30", "Label30", {"异频:", "Offset:"}, OffsetDirections,
            2),
    feature("vfo.bandwidth", "Combo27", "Label27", {"宽窄带:", "Wide/Narrow:"}, VfoWidth, 1),
    hiddenList("vfo.scan_add", "Combo26", "Label26", same("扫描添加:"), ScanAdd),
    hiddenList("vfo.ani", "Combo28", "Label28", same("ANI:"), Ani),
    feature("features.vox_gain", "Combo14", "Label14", {"VOX增益电平:", "VOX Gain Level:"}, VoxGain,
            0),
    feature("features.vox_delay", "Combo15", "Label15", {"VOX延迟时间(秒):", "VOX Delay Time(s):"},
            VoxDelay, 1),
    hiddenCheck("features.allow_cancel", "Check12", {"允许取消操作", "Allow to Cancel Operating"}),
    hiddenCheck("features.no_vox_receiving", "Check1",
                {"接收时禁止VOX", "Forbid VOX while receiving"}),

    // Form2: DTMF.
    {"dtmf.auto_dial[1]",
     "Form2",
     "Text1_0",
     "Label1_0",
     same("第一组自动拨号存储器"),
     Text,
     None,
     Never,
     {},
     false,
     0,
     0,
     16},
    {"dtmf.auto_dial[2]",
     "Form2",
     "Text1_1",
     "Label1_1",
     same("第二组自动拨号存储器"),
     Text,
     None,
     Never,
     {},
     false,
     0,
     0,
     16},
    {"dtmf.auto_dial[3]",
     "Form2",
     "Text1_2",
     "Label1_2",
     same("第三组自动拨号存储器"),
     Text,
     None,
     Never,
     {},
     false,
     0,
     0,
     16},
    {"dtmf.auto_dial[4]",
     "Form2",
     "Text1_3",
     "Label1_3",
     same("第四组自动拨号存储器"),
     Text,
     None,
     Never,
     {},
     false,
     0,
     0,
     16},
    {"dtmf.auto_dial[5]",
     "Form2",
     "Text1_4",
     "Label1_4",
     same("第五组自动拨号存储器"),
     Text,
     None,
     Never,
     {},
     false,
     0,
     0,
     16},
    {"dtmf.auto_dial[6]",
     "Form2",
     "Text1_5",
     "Label1_5",
     same("第六组自动拨号存储器"),
     Text,
     None,
     Never,
     {},
     false,
     0,
     0,
     16},
    {"dtmf.auto_dial[7]",
     "Form2",
     "Text1_6",
     "Label1_6",
     same("第七组自动拨号存储器"),
     Text,
     None,
     Never,
     {},
     false,
     0,
     0,
     16},
    {"dtmf.auto_dial[8]",
     "Form2",
     "Text1_7",
     "Label1_7",
     same("第八组自动拨号存储器"),
     Text,
     None,
     Never,
     {},
     false,
     0,
     0,
     16},
    {"dtmf.rate", "Form2", "Combo16", "Label16", same("DTMF速率:"), List, None, Never, DtmfRates},
    {"dtmf.first_digit_delay", "Form2", "Combo17", "Label17", same("首位数码延迟:"), List, None,
     Never, FirstDigitDelays, false, 6},
    {"dtmf.group_call", "Form2", "Combo18", "Label18", same("群呼码:"), List, None, Never,
     GroupCalls},
    {"dtmf.ptt_id",
     "Form2",
     "Text2",
     "Label2",
     same("PTTID码:"),
     Text,
     DtmfPttId,
     Always,
     {},
     false,
     0,
     0,
     int(image::DtmfPttIdLength)},
    {"dtmf.own_code",
     "Form2",
     "Text3",
     "Label3",
     same("自身码:"),
     Text,
     DtmfOwnCode,
     Always,
     {},
     false,
     0,
     0,
     int(image::DtmfOwnCodeLength)},

    // Form5: the FM presets, then the settings beside them.
    {"fm.presets[]",
     "Form5",
     "MSFGrid",
     "",
     same("频率(MHz)"),
     Text,
     FmPreset,
     AsEntered,
     {},
     false,
     0,
     0,
     6,
     FmPresets,
     1},
    {"fm.full_band",
     "Form5",
     "Text2",
     "LabelText2",
     same("收音机全频频率："),
     Text,
     FmFullBand,
     AsEntered,
     {},
     false,
     0,
     0,
     6},
    {"fm.channel", "Form5", "Combo1_0", "LabelCombo1_0", same("当前收音机工作频道："), List, FmList,
     WhenListHolds, FmChannels, false, 0, 0, 0, 1, 0},
    {"fm.display_mode", "Form5", "Combo1_1", "LabelCombo1_1", same("显示模式："), List, FmList,
     WhenListHolds, FmDisplayModes, false, 1, 0, 0, 1, 1},
    {"fm.step", "Form5", "Combo1_2", "LabelCombo1_2", same("收音机步进频率："), List, FmList,
     WhenListHolds, FmSteps, false, 1, 0, 0, 1, 2},

    // Form4: the power calibration.
    {"power.high",
     "Form4",
     "Slider1",
     "Frame1",
     {"高功率等级", "High Power Grades"},
     Number,
     HighPower,
     WithinRange,
     {},
     false,
     208,
     0,
     255},
    {"power.low",
     "Form4",
     "Slider2",
     "Frame2",
     {"低功率等级", "Low Power Grades"},
     Number,
     LowPower,
     WithinRange,
     {},
     false,
     116,
     0,
     255},
};

} // namespace

std::span<const Setting> catalogue() {
    return Catalogue;
}

std::span<const Texts> bandEntries() {
    return Bands;
}

const Setting* settingOf(std::string_view window, std::string_view control) {
    for (const Setting& setting : Catalogue)
        if (setting.window == window && setting.control == control && !setting.isIndexed())
            return &setting;
    return nullptr;
}

std::string keyOf(const Setting& setting, int index) {
    std::string key(setting.key);
    if (const auto at = key.find("[]"); at != std::string::npos)
        key.insert(at + 1, std::to_string(index));
    return key;
}

std::optional<KeyedSetting> findKey(std::string_view key) {
    for (const Setting& setting : Catalogue) {
        if (!setting.isIndexed()) {
            if (setting.key == key)
                return KeyedSetting{&setting, 1};
            continue;
        }
        const auto open = setting.key.find("[]");
        const std::string_view head = setting.key.substr(0, open + 1);
        const std::string_view tail = setting.key.substr(open + 1);
        if (key.size() <= head.size() + tail.size() || !key.starts_with(head) ||
            !key.ends_with(tail))
            continue;
        const std::string_view digits =
            key.substr(head.size(), key.size() - head.size() - tail.size());
        int index = 0;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), index);
        if (error == std::errc() && end == digits.data() + digits.size() && digits[0] != '0' &&
            index >= 1 && index <= setting.count)
            return KeyedSetting{&setting, index};
    }
    return std::nullopt;
}

} // namespace settings
