// Loads whatever the input holds as a .dat file and checks what must always
// hold: a file refused is one without the product name or too short; a file
// loaded and saved again (its band as it came, none as a byte that names
// none) loads as the same image and band, and saves as the same bytes.
#include "files/dat_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, ".dat fuzz: %s\n", what);
        std::abort();
    }
}

// A header byte 7 that names no band once read back.
constexpr std::uint8_t NoBandByte = 0x10;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    const files::LoadResult loaded = files::parseDatFile(input);
    if (!loaded.ok()) {
        check(loaded.error == files::FileError::WrongType, "refused for another reason");
        check(size < files::DatFileSize || !files::hasProductName(input),
              "a whole file with the product name refused");
        return 0;
    }
    const files::DatFile& file = loaded.file;
    check(!file.band || (*file.band >= 0 && *file.band <= 7), "a band outside 0..7");
    check(std::equal(file.image.begin(), file.image.end(), data + files::DatHeaderSize),
          "the image is not the bytes after the header");

    image::MemoryImage held{};
    file.copyInto(held);
    const std::vector<std::uint8_t> saved =
        files::datFileBytes(held, file.band ? std::uint8_t(*file.band) : NoBandByte);
    check(saved.size() == files::DatFileSize, "a save of another size");
    const files::LoadResult again = files::parseDatFile(saved);
    check(again.ok(), "a saved file does not load");
    check(again.file.image == file.image, "the image changed on its way through a save");
    check(again.file.band == file.band, "the band changed on its way through a save");
    image::MemoryImage heldAgain{};
    again.file.copyInto(heldAgain);
    check(files::datFileBytes(heldAgain, saved[files::DatBandOffset]) == saved,
          "a second save differs from the first");
    return 0;
}
