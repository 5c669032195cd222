// Builds a memory image from the editors' values.
#pragma once

#include "image/editor_values.h"
#include "image/image_layout.h"

namespace image {

// Writes every byte 0..2047 of target from the values (index 2048 is not
// touched). A value that cannot become its byte leaves that byte as it was:
// a list without a selection, a position that does not fit its field (a flag
// list outside 0..1, a byte outside 0..255), a present channel number that is
// not a number or lies outside 0..255, a frequency or tone text whose digits
// are not hexadecimal, an FM text with no valid code, a DTMF character whose
// code does not fit in a byte, a slider outside 0..255.
void encodeImage(const EditorValues& values, MemoryImage& target);

} // namespace image
