// The golden data files' images, for tests that start from a memory image.
#pragma once

#include "files/dat_file.h"

#include <QByteArray>

// The image of tests/data/`name` (bytes 0..2047; 2048 zero).
inline image::MemoryImage testImage(const char* name) {
    image::MemoryImage image{};
    files::loadDatFile(std::string(TQ_TEST_DATA "/") + name).file.copyInto(image);
    return image;
}

// The full test image with `bytes` at image offset `at`.
inline image::MemoryImage changedImage(int at, const QByteArray& bytes) {
    image::MemoryImage image = testImage("full_image_band0.dat");
    for (int i = 0; i < bytes.size(); ++i)
        image[std::size_t(at + i)] = std::uint8_t(bytes[i]);
    return image;
}
