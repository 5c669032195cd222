#include "cli/diff_command.h"

#include "cli/file_arguments.h"
#include "cli/output_check.h"
#include "cli/show_options.h"
#include "cli/usage.h"
#include "words/image_difference.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace cli {

namespace {

// What the program holds once the file is open: the windows show the band
// of the header, and a save or a write puts that band into the image.
image::MemoryImage heldImage(const files::DatFile& file) {
    image::MemoryImage held{};
    file.copyInto(held);
    if (file.band)
        held[image::offsets::Band] = std::uint8_t(*file.band);
    return held;
}

QJsonArray asJson(const QList<shell::Change>& changes) {
    QJsonArray array;
    for (const shell::Change& change : changes)
        array.append(QJsonObject{{"place", change.place},
                                 {"setting", change.setting},
                                 {"before", change.before},
                                 {"after", change.after}});
    return array;
}

} // namespace

int runDiff(const QStringList& arguments) {
    const auto options = parseShowOptions(arguments, "diff", 2);
    if (!options) {
        QTextStream(stderr) << usageLines({"diff"}).c_str() << Qt::flush;
        return 2;
    }
    const auto before = loadForCommand(options->paths[0]);
    if (!before)
        return 3;
    const auto after = loadForCommand(options->paths[1]);
    if (!after)
        return 3;
    const QList<shell::Change> changes =
        shell::imageDifference(heldImage(*before), heldImage(*after), options->language);
    QTextStream out(stdout);
    if (options->json)
        out << QJsonDocument(asJson(changes)).toJson(QJsonDocument::Indented);
    else
        for (const shell::Change& change : changes)
            out << shell::changeLine(change) << '\n';
    out.flush();
    // Exit 1 says the files differ: a list that could not be written must not pass for one.
    if (!outputWritten())
        return 3;
    return changes.isEmpty() ? 0 : 1;
}

} // namespace cli
