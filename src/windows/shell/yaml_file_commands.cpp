#include "shell/yaml_file_commands.h"

#include "editors/band_selection.h"
#include "editors/channel_table.h"
#include "files/dat_file.h"
#include "files/file_io.h"
#include "settings/radio_yaml.h"
#include "settings/unwritable_values.h"
#include "shell/file_dialog.h"
#include "shell/main_window.h"
#include "words/file_names.h"
#include "words/message_box.h"
#include "words/messages.h"
#include "words/program_flags.h"
#include "words/read_failure.h"
#include "words/save_failure.h"

#include <QFileInfo>
#include <algorithm>
#include <span>

namespace shell {

namespace {

FileKind yamlKind() {
    return {
        {QString::fromUtf8(ui::isChinese() ? "YAML文件(*.yaml *.yml)" : "YAML files(*.yaml *.yml)"),
         "AllFiles(*.*)"},
        "yaml"};
}

// The file's text, or nothing once the user has been told why not.
std::optional<std::string> readYaml(const QString& path) {
    const files::ReadResult read =
        files::readFileStart(ui::fileNameBytes(path).toStdString(), settings::YamlSizeLimit + 1);
    if (!read.ok()) {
        ui::reportReadFailure(path, read.error, read.systemError);
        return std::nullopt;
    }
    if (read.bytes.size() > settings::YamlSizeLimit) {
        ui::showMessage(ui::Msg::YamlTooLarge,
                        {ui::shownFileName(path), QString::number(settings::YamlSizeLimit / 1024)});
        return std::nullopt;
    }
    return std::string(read.bytes.begin(), read.bytes.end());
}

} // namespace

void importYaml(MainWindow& window) {
    // A value still being typed is given up, as Open gives it up.
    window.channelTable()->Text1_LostFocus();
    const QString path = askFileName(&window, false, yamlKind());
    if (path.isEmpty())
        return;
    const std::optional<std::string> text = readYaml(path);
    if (!text)
        return;
    const settings::YamlImport imported = settings::importYaml(*text);
    if (!imported.radio) {
        const std::string name = ui::fileNameBytes(QFileInfo(path).fileName()).toStdString();
        ui::showMessage(ui::Msg::YamlNotUsable,
                        {ui::shownFileName(path), QString::fromStdString(settings::errorLine(
                                                      name, imported.error, ui::UILanguage))});
        return;
    }
    files::DatFile file;
    std::copy_n(imported.radio->image.begin(), file.image.size(), file.image.begin());
    file.band = imported.radio->band;
    window.showDatFile(file);
}

void exportYaml(MainWindow& window) {
    window.channelTable()->Text1_LostFocus();
    const QString path = askFileName(&window, true, yamlKind());
    if (path.isEmpty())
        return;
    // What the windows hold but cannot write back is gone from the encoded
    // image; say so first.
    std::vector<std::string> notes;
    for (const settings::UnwritableValue& value : settings::unwritableValues(window.editorValues()))
        if (std::string note = settings::writeNote(value); !note.empty())
            notes.push_back(std::move(note));
    window.EncodeImage();
    const settings::YamlExport exported = settings::exportYaml(
        window.TransmitImage, window.bandSelection()->bandCode(), ui::ApplicationTitle);
    notes.insert(notes.end(), exported.report.begin(), exported.report.end());
    const files::WriteResult written = files::writeFileAtomically(
        ui::fileNameBytes(path).toStdString(),
        std::span(reinterpret_cast<const std::uint8_t*>(exported.text.data()),
                  exported.text.size()));
    ui::reportSaveFailure(path, written);
    if (written.ok())
        showExportNotes(path, notes);
}

void showExportNotes(const QString& path, const std::vector<std::string>& notes) {
    if (notes.empty())
        return;
    QStringList lines;
    for (const std::string& note : notes)
        lines << QString::fromStdString(note);
    ui::showMessage(ui::Msg::ExportNotes, {ui::shownFileName(path), lines.join('\n')});
}

} // namespace shell
