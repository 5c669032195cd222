#include "files/dat_file.h"

#include <algorithm>
#include <vector>

namespace files {

void DatFile::copyInto(image::MemoryImage& target) const {
    std::copy(image.begin(), image.end(), target.begin());
}

LoadResult parseDatFile(std::span<const std::uint8_t> bytes) {
    LoadResult result;
    if (!hasProductName(bytes) || bytes.size() < DatFileSize) {
        result.error = FileError::WrongType;
        return result;
    }
    result.file.band = bandFromHeader(bytes[DatBandOffset]);
    result.file.bandByte = bytes[DatBandOffset];
    std::copy(bytes.begin() + DatHeaderSize, bytes.begin() + DatFileSize,
              result.file.image.begin());
    return result;
}

LoadResult loadDatFile(const std::string& path) {
    const ReadResult read = readFileStart(path, DatFileSize);
    if (!read.ok()) {
        LoadResult result;
        result.error = read.error;
        result.systemError = read.systemError;
        return result;
    }
    return parseDatFile(read.bytes);
}

std::vector<std::uint8_t> datFileBytes(const image::MemoryImage& image, std::uint8_t band) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(DatFileSize);
    const DatHeader header = makeDatHeader(band);
    bytes.insert(bytes.end(), header.begin(), header.end());
    bytes.insert(bytes.end(), image.begin(), image.begin() + image::ImageSize);
    return bytes;
}

WriteResult saveDatFile(const std::string& path, const image::MemoryImage& image,
                        std::uint8_t band) {
    return writeFileAtomically(path, datFileBytes(image, band));
}

} // namespace files
