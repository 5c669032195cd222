#pragma once

#include "image/image_layout.h"

#include <QList>
#include <QString>
#include <span>

// What differs between two memory images, told as the windows show them.
namespace shell {

// One setting that differs: where (the band, a channel, a window), what (a
// column title or a caption; empty for a whole channel), and the texts the
// window shows before and after.
struct Change {
    QString place;
    QString setting;
    QString before;
    QString after;

    friend bool operator==(const Change&, const Change&) = default;
};

inline constexpr image::ByteRange WholeImage{0, image::ImageSize - 1};

// The changes from `before` to `after` within the `compared` bytes, in
// `language` (0 Chinese, 1 English), in the order the windows stand: the
// band, the channels, the optional features, DTMF, the FM presets and the
// power levels. Bytes that differ where no window shows a difference (a
// spare byte, a bit written as a constant, the model text) end the list as
// runs of "other bytes", so an empty list means the compared bytes are equal.
QList<Change> imageDifference(const image::MemoryImage& before, const image::MemoryImage& after,
                              int language,
                              std::span<const image::ByteRange> compared = {&WholeImage, 1});

// One change as a line: "CH 5 / RXFre: 146.52000 → 146.55000".
QString changeLine(const Change& change);

} // namespace shell
