#pragma once

#include "image/image_layout.h"
#include "settings/image_difference.h"

#include <QList>
#include <QString>
#include <span>

// What differs between two memory images (settings/image_difference.h), as
// the windows and the command line present it.
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

using settings::WholeImage;

// The changes from `before` to `after` within the `compared` bytes, in
// `language` (0 Chinese, 1 English), the places named as the windows
// caption themselves.
QList<Change> imageDifference(const image::MemoryImage& before, const image::MemoryImage& after,
                              int language,
                              std::span<const image::ByteRange> compared = {&WholeImage, 1});

// One change as a line: "CH 5 / RXFre: 146.52000 → 146.55000".
QString changeLine(const Change& change);

} // namespace shell
