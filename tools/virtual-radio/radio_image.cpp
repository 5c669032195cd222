#include "radio_image.h"

#include "files/dat_file.h"

#include <algorithm>
#include <cstring>

namespace radio {

namespace {

std::string reason(const std::string& path, files::FileError error, int systemError) {
    if (systemError != 0)
        return path + ": " + std::strerror(systemError);
    if (error == files::FileError::WrongType)
        return path + ": neither a .dat file of a TQ-305 nor a raw 2048-byte image";
    return path + ": cannot be read";
}

} // namespace

RadioImage blankRadioImage() {
    RadioImage radio;
    radio.memory.fill(0xFF);
    return radio;
}

std::optional<RadioImage> loadRadioImage(const std::string& path, std::string& error) {
    // One byte more than a .dat file holds tells a raw image from a longer file.
    const files::ReadResult read = files::readFileStart(path, files::DatFileSize + 1);
    if (!read.ok()) {
        error = reason(path, read.error, read.systemError);
        return std::nullopt;
    }
    RadioImage radio = blankRadioImage();
    if (read.bytes.size() == image::ImageSize) {
        std::copy(read.bytes.begin(), read.bytes.end(), radio.memory.begin());
        return radio;
    }
    const files::LoadResult dat = files::loadDatFile(path);
    if (!dat.ok()) {
        error = reason(path, dat.error, dat.systemError);
        return std::nullopt;
    }
    dat.file.copyInto(radio.memory);
    radio.band = dat.file.band.value_or(DefaultBand);
    return radio;
}

} // namespace radio
