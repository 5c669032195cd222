#include "cli/radio_files.h"

#include "cli/link_failure_text.h"
#include "image/image_decoder.h"
#include "settings/radio_yaml.h"
#include "settings/setting_values.h"
#include "settings/unwritable_values.h"

#include <cstdio>

namespace cli {

namespace {

void tell(const std::string& line) {
    std::fprintf(stderr, "tq305: %s\n", line.c_str());
}

} // namespace

LoadedRadioFile loadYamlFile(const std::string& path, const settings::RadioImage* base) {
    const files::ReadResult read = files::readFileStart(path, settings::YamlSizeLimit + 1);
    if (!read.ok()) {
        files::LoadResult failure;
        failure.error = read.error;
        failure.systemError = read.systemError;
        tell(loadFailureText(path, failure));
        return {std::nullopt, 3};
    }
    if (read.bytes.size() > settings::YamlSizeLimit) {
        tell(shownName(path) + ": too large for a radio's YAML file");
        return {std::nullopt, 1};
    }
    const settings::YamlImport imported = settings::importYaml(
        std::string_view(reinterpret_cast<const char*>(read.bytes.data()), read.bytes.size()),
        base);
    if (!imported.radio) {
        tell(settings::errorLine(shownName(path), imported.error));
        return {std::nullopt, 1};
    }
    files::DatFile file;
    std::copy_n(imported.radio->image.begin(), file.image.size(), file.image.begin());
    file.band = imported.radio->band;
    return {file, 0};
}

bool isYamlName(const QString& name) {
    return name.endsWith(".yaml", Qt::CaseInsensitive) ||
           name.endsWith(".yml", Qt::CaseInsensitive);
}

LoadedRadioFile loadRadioFile(const std::string& path) {
    if (isYamlName(QString::fromLocal8Bit(path.c_str())))
        return loadYamlFile(path, nullptr);
    const files::LoadResult loaded = files::loadDatFile(path);
    if (loaded.ok())
        return {loaded.file, 0};
    tell(loadFailureText(path, loaded));
    return {std::nullopt, loaded.error == files::FileError::WrongType ? 1 : 3};
}

std::vector<std::string> writeNotes(const files::DatFile& file) {
    image::MemoryImage bytes{};
    file.copyInto(bytes);
    std::vector<std::string> notes;
    for (const settings::UnwritableValue& value :
         settings::unwritableValues(settings::shownValues(image::decodeImage(bytes), file.band)))
        if (std::string note = settings::writeNote(value); !note.empty())
            notes.push_back(std::move(note));
    return notes;
}

} // namespace cli
