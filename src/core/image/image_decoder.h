// Turns a memory image into the values the editor windows show.
#pragma once

#include "image/editor_values.h"
#include "image/image_layout.h"

namespace image {

// Reads bytes 0..2047 and gives every window value the image holds.
//
// The contract with the windows: list positions are given as read, even when
// a list may lack that entry (Form3 Combo7 can get 3, Combo30 anything up to
// 255, FM lists up to 255); a window selects a position only when its list
// holds it and otherwise leaves the list as it was. Slider values are the
// bytes 0..255, applied only within the slider's range. Texts are always
// given. A channel whose receive frequency is empty is a cleared row
// (ClearNO). For a tone that is off the tone text is empty and the position
// 0; a tone code that names no table entry keeps its text with position 0,
// and the cell shows that text.
//
// The DTMF codes and the FM area are decoded as the inverse of the encoder:
// a DTMF code ends at the first 0xFF or at the first byte that is not a
// DTMF character; an FM code of 0xFF 0xFF or above the editors' 107.95 MHz
// gives an empty text.
DecodedImage decodeImage(const MemoryImage& image);

} // namespace image
