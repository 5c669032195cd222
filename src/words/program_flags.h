#pragma once

// Program-wide flags shared by every window for the whole run.
namespace ui {

inline int UILanguage = 1;          // 0 Chinese, 1 English
inline int ComPortIndex = 0;        // list index in ComboCom: 0 = port 1; outside 0..15 = none
inline bool ForceWriteMode = false; // a write may go on after a band mismatch
inline bool DebugMode = false;      // a write also sends the calibration block

inline bool isChinese() {
    return UILanguage == 0;
}

} // namespace ui
