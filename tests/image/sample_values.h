// Editor values used by several tests. sampleValues() is what
// tests/data/full_image_band0.dat holds.
#pragma once

#include "image/editor_values.h"

namespace testing {

// Every kind of channel and tone, every Form3 setting off its default.
image::EditorValues sampleValues();

// What the editors show after start-up: empty channel table, list defaults.
image::EditorValues defaultValues();

// Every list at position 0 and the texts at their smallest.
image::EditorValues zeroValues();

} // namespace testing
