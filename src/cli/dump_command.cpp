#include "cli/dump_command.h"

#include "cli/file_arguments.h"
#include "cli/file_values.h"
#include "cli/settings_view.h"
#include "cli/show_options.h"
#include "cli/usage.h"

#include <QJsonDocument>
#include <QTextStream>

namespace cli {

namespace {

// The windows in the order they are printed, with their section titles.
struct Section {
    const char* window;
    const char* title;
};
constexpr Section Sections[] = {
    {"Form1", "Channels"},   {"Form3", "Optional features"}, {"Form2", "DTMF"},
    {"Form5", "FM presets"}, {"Form4", "Power levels"},
};

} // namespace

int run(const QStringList& arguments) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    const auto options = parseShowOptions(arguments, "dump", 1);
    if (!options) {
        err << usageLines({"dump"}).c_str() << Qt::flush;
        return 2;
    }
    const auto file = loadForCommand(options->paths[0]);
    if (!file)
        return 1;
    const image::EditorValues values = openedFileValues(*file);
    const QString band = bandText(values, options->language);
    if (options->json) {
        QJsonObject document{{"MDIForm1", QJsonObject{{"Combo1", band}}}};
        for (const Section& section : Sections)
            document.insert(section.window, formatAsJson(windowControls(values, section.window,
                                                                        options->language)));
        out << QJsonDocument(document).toJson(QJsonDocument::Indented);
        return 0;
    }
    out << "Band (Combo1): " << band << '\n';
    for (const Section& section : Sections) {
        out << '\n' << section.title << " (" << section.window << ")\n";
        for (const QString& line :
             formatAsText(windowControls(values, section.window, options->language)))
            out << line << '\n';
    }
    return 0;
}

} // namespace cli
