#pragma once

#include <array>

// The texts of the DTMF and FM windows, which are Chinese in both languages:
// the windows are built with them, and what shows these windows' values
// without them names the values with them too.
namespace editors {

namespace dtmf {
inline constexpr const char* Title = "DTMF(双音多频)";
inline constexpr const char* PttIdCaption = "PTTID码:";  // Label2, beside Text2
inline constexpr const char* OwnCodeCaption = "自身码:"; // Label3, beside Text3
} // namespace dtmf

namespace fm {
inline constexpr const char* MenuCaption = "收音机功能(&F)"; // MNFMset, which shows the window
inline constexpr std::array<const char*, 2> ColumnTitles{"频道", "频率(MHz)"};
inline constexpr const char* FullBandCaption = "收音机全频频率："; // beside Text2
// Combo1(0..2): captions, and the entries of members 1 and 2 (member 0 holds "1".."32").
inline constexpr std::array<const char*, 3> ListCaptions{"当前收音机工作频道：", "显示模式：",
                                                         "收音机步进频率："};
inline constexpr std::array<const char*, 2> DisplayModes{"频道", "频率"};
inline constexpr std::array<const char*, 2> Steps{"50K", "100K"};
} // namespace fm

} // namespace editors
