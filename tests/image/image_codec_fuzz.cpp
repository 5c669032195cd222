// Decodes whatever the input holds as a memory image (a .dat file's image, or
// the bytes themselves), encodes the values onto it as a write would, and
// checks what must always hold: a byte the encoder writes depends on the
// values alone (not on what it wrote over), nothing past the image changes,
// and what the encoder wrote decodes and encodes again to the same bytes.
#include "files/dat_file.h"
#include "image/image_decoder.h"
#include "image/image_encoder.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "image codec fuzz: %s\n", what);
        std::abort();
    }
}

image::MemoryImage imageOf(std::span<const std::uint8_t> input) {
    image::MemoryImage memory;
    memory.fill(0xFF);
    if (const files::LoadResult loaded = files::parseDatFile(input); loaded.ok())
        loaded.file.copyInto(memory);
    else
        std::copy_n(input.begin(), std::min(input.size(), image::ImageSize), memory.begin());
    return memory;
}

image::EditorValues valuesOf(const image::MemoryImage& memory, int band) {
    image::EditorValues values;
    static_cast<image::WindowValues&>(values) = image::decodeImage(memory);
    values.band = band;
    return values;
}

image::MemoryImage encodedOnto(const image::MemoryImage& memory, int band) {
    image::MemoryImage encoded = memory;
    image::encodeImage(valuesOf(memory, band), encoded);
    return encoded;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const image::MemoryImage memory = imageOf({data, size});
    const int band = memory[image::offsets::Band] % 8;
    const image::MemoryImage once = encodedOnto(memory, band);
    // A byte the encoder writes is the values' alone, not what it wrote over.
    const image::EditorValues values = valuesOf(memory, band);
    image::MemoryImage zeros{}, ones;
    ones.fill(0xFF);
    image::encodeImage(values, zeros);
    image::encodeImage(values, ones);
    for (std::size_t i = 0; i < image::ImageSize; ++i)
        check(zeros[i] == ones[i] || (zeros[i] == 0x00 && ones[i] == 0xFF),
              "a byte written from what it replaced");
    check(once[image::ImageSize] == memory[image::ImageSize], "a byte past the image changed");
    check(encodedOnto(once, band) == once, "the encoder's own image changed on a second pass");
    return 0;
}
