#include "cli/dump_command.h"

#include "cli/file_windows.h"
#include "cli/usage.h"
#include "cli/window_dump.h"
#include "editors/band_selection.h"
#include "shell/main_window.h"

#include <QComboBox>
#include <QJsonDocument>
#include <QTextStream>

namespace cli {

namespace {

struct DumpOptions {
    QString path;
    bool json = false;
    int language = 1;
};

std::optional<DumpOptions> parse(const QStringList& arguments) {
    if (arguments.value(0) != "dump")
        return std::nullopt;
    DumpOptions options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == "--json")
            options.json = true;
        else if (a == "--lang" && languageArgument(arguments.value(i + 1)))
            options.language = *languageArgument(arguments[++i]);
        else if (!a.startsWith("--") && options.path.isEmpty())
            options.path = a;
        else
            return std::nullopt;
    }
    if (options.path.isEmpty())
        return std::nullopt;
    return options;
}

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
    const auto options = parse(arguments);
    if (!options) {
        err << usageLines({"dump"}).c_str() << Qt::flush;
        return 2;
    }
    const auto file = loadForCommand(options->path);
    if (!file)
        return 1;
    const FileWindows windows(*file, options->language);
    const shell::MainWindow* window = &windows.window();

    const QString band = window->bandSelection()->bandText();
    if (options->json) {
        QJsonObject document{{"MDIForm1", QJsonObject{{"Combo1", band}}}};
        for (const Section& section : Sections)
            if (const QWidget* form = window->findChild<QWidget*>(section.window))
                document.insert(section.window, formatAsJson(readWindow(*form)));
        out << QJsonDocument(document).toJson(QJsonDocument::Indented);
        return 0;
    }
    out << "Band (Combo1): " << band << '\n';
    for (const Section& section : Sections)
        if (const QWidget* form = window->findChild<QWidget*>(section.window)) {
            out << '\n' << section.title << " (" << section.window << ")\n";
            for (const QString& line : formatAsText(readWindow(*form)))
                out << line << '\n';
        }
    return 0;
}

} // namespace cli
