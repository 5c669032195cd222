#include "cli/file_values.h"

#include "image/image_decoder.h"
#include "settings/setting_values.h"

namespace cli {

image::EditorValues newFileValues(int bandCode) {
    return settings::newValues(bandCode);
}

image::EditorValues openedFileValues(const files::DatFile& file) {
    image::MemoryImage bytes{};
    file.copyInto(bytes);
    return settings::shownValues(image::decodeImage(bytes), file.band);
}

} // namespace cli
