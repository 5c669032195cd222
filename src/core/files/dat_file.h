// Loading and saving .dat image files. The window turns a FileError into its
// localized message; nothing here shows anything.
#pragma once

#include "files/dat_format.h"
#include "files/file_io.h"
#include "image/image_layout.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace files {

struct DatFile {
    std::array<std::uint8_t, image::ImageSize> image{}; // file bytes 48..2095
    std::optional<int> band;                            // 0..7, or none: keep the current band
    std::uint8_t bandByte = 0; // header byte 7 as the file holds it ("0A" reads as band 0)

    // Copies the image into indices 0..2047 of ReceiveImage; 2048 is left alone.
    void copyInto(image::MemoryImage& target) const;
};

// A header that names no band (byte 7 reads as none of 0..7) says nothing of
// the radio the image was made for. The windows open it in the band they
// show, so it is shown as that band; no radio is written from it unless the
// user insists, and that is refused before the radio is touched.
inline bool namesNoBand(const DatFile& file) {
    return !file.band;
}

struct LoadResult {
    FileError error = FileError::None;
    int systemError = 0;
    DatFile file; // valid only when ok()
    bool ok() const { return error == FileError::None; }
};

// A file's bytes as loadDatFile takes them (the I/O aside).
LoadResult parseDatFile(std::span<const std::uint8_t> bytes);

// The 2096 bytes saveDatFile writes.
std::vector<std::uint8_t> datFileBytes(const image::MemoryImage& image, std::uint8_t band);

// Reads the first 2096 bytes of a file. Refused as WrongType: a header
// without the product name, and a file shorter than 2096 bytes (it cannot
// hold a whole image). Longer files are read up to 2096 bytes.
LoadResult loadDatFile(const std::string& path);

// Writes the header with the band and image bytes 0..2047, replacing the file
// atomically: on failure an existing file stays exactly as it was. A longer
// existing file is replaced, so the result is always 2096 bytes.
WriteResult saveDatFile(const std::string& path, const image::MemoryImage& image,
                        std::uint8_t band);

} // namespace files
