#include "files/dat_file.h"

#include <algorithm>
#include <vector>

namespace files {

void DatFile::copyInto(image::MemoryImage& target) const {
    std::copy(image.begin(), image.end(), target.begin());
}

LoadResult loadDatFile(const std::string& path) {
    LoadResult result;
    const ReadResult read = readFileStart(path, DatFileSize);
    if (!read.ok()) {
        result.error = read.error;
        result.systemError = read.systemError;
        return result;
    }
    if (!hasProductName(read.bytes) || read.bytes.size() < DatFileSize) {
        result.error = FileError::WrongType;
        return result;
    }
    result.file.band = bandFromHeader(read.bytes[DatBandOffset]);
    std::copy(read.bytes.begin() + DatHeaderSize, read.bytes.end(), result.file.image.begin());
    return result;
}

WriteResult saveDatFile(const std::string& path, const image::MemoryImage& image,
                        std::uint8_t band) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(DatFileSize);
    const DatHeader header = makeDatHeader(band);
    bytes.insert(bytes.end(), header.begin(), header.end());
    bytes.insert(bytes.end(), image.begin(), image.begin() + image::ImageSize);
    return writeFileAtomically(path, bytes);
}

} // namespace files
