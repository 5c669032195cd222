#pragma once

#include "image/editor_values.h"
#include "print/print_document.h"

namespace print {

// The programmed data as a document, built from the values the windows
// hold, named as the settings catalogue names them: the
// company and title lines, the function settings, the VOX settings, the
// power levels and, on a page of its own, the channel table. The captions
// follow the language in force; headings and yes/no stay Chinese.
// `allowCancel`: the optional features' hidden "allow to cancel" check box,
// which no image holds.
PrintDocument PrintContent(const image::EditorValues& values, int language,
                           bool allowCancel = false);

} // namespace print
