#pragma once

// The own texts of the DTMF and FM windows, which are Chinese in both
// languages; their settings' captions and entries are the catalogue's.
namespace editors {

namespace dtmf {
inline constexpr const char* Title = "DTMF(双音多频)";
} // namespace dtmf

namespace fm {
inline constexpr const char* MenuCaption = "收音机功能(&F)"; // MNFMset, which shows the window
inline constexpr const char* NumberColumnTitle = "频道";
} // namespace fm

} // namespace editors
