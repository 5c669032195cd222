#include "cli/print_command.h"

#include "cli/exit_codes.h"
#include "cli/file_arguments.h"
#include "cli/file_values.h"
#include "cli/link_failure_text.h"
#include "cli/usage.h"
#include "print/font_coverage.h"
#include "print/pdf_output.h"
#include "print/print_content.h"
#include "words/file_names.h"
#include "words/messages.h"

#include <QTextStream>

namespace cli {

std::unique_ptr<QGuiApplication> printApplication(int& argc, char** argv) {
    // The painter needs a platform; one that needs no display unless
    // QT_QPA_PLATFORM names another.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    return std::make_unique<QGuiApplication>(argc, argv);
}

namespace {

struct PrintOptions {
    QString path;
    QString output;
    int language = 1;
};

std::optional<PrintOptions> parsePrintOptions(const QStringList& arguments) {
    if (arguments.value(0) != "print")
        return std::nullopt;
    PrintOptions options;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (a == "-o" && i + 1 < arguments.size() && options.output.isEmpty())
            options.output = arguments[++i];
        else if (a == "--lang" && languageArgument(arguments.value(i + 1)))
            options.language = *languageArgument(arguments[++i]);
        else if (!a.startsWith("-") && options.path.isEmpty())
            options.path = a;
        else
            return std::nullopt;
    }
    if (options.path.isEmpty() || options.output.isEmpty())
        return std::nullopt;
    return options;
}

} // namespace

int runPrint(const QStringList& arguments) {
    const auto options = parsePrintOptions(arguments);
    if (!options) {
        QTextStream(stderr) << usageLines({"print"}).c_str() << Qt::flush;
        return ExitUsage;
    }
    const auto file = loadForCommand(options->path);
    if (!file)
        return ExitCannotOpen;
    return writePrintout(print::PrintContent(openedFileValues(*file), options->language),
                         options->output);
}

int writePrintout(const print::PrintDocument& document, const QString& output) {
    // A printout with boxes in place of characters is not written.
    if (const QString missing = print::uncoveredCharacters(document); !missing.isEmpty()) {
        QTextStream(stderr) << "tq305: "
                            << ui::messageText(ui::Msg::PrintFontMissing,
                                               {print::charactersNamed(missing)})
                                   .replace('\n', ' ')
                            << Qt::endl;
        return ExitNoFont;
    }
    const files::WriteResult written = print::writePdf(document, output);
    if (!written.ok()) {
        QTextStream(stderr) << "tq305: "
                            << QString::fromStdString(saveFailureText(
                                   ui::fileNameBytes(output).toStdString(), written))
                            << Qt::endl;
        return ExitCannotOpen;
    }
    return ExitDone;
}

} // namespace cli
