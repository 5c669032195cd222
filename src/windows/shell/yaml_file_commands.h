#pragma once

#include <QString>
#include <string>
#include <vector>

namespace shell {

class MainWindow;

// MNImportYaml: a radio's YAML file chosen in the Open dialog, shown as
// File > Open shows a data file (keys it leaves out as File > New sets
// them). A file with any fault changes nothing; the message names its line,
// column and key and what is allowed.
void importYaml(MainWindow& window);

// MNExportYaml: what a Save would write, as a YAML file chosen in the Save
// dialog, replaced whole or not at all. Values it cannot carry as the
// windows show them are named afterwards.
void exportYaml(MainWindow& window);

// After an export that went well: the values the file cannot carry as the
// windows show them, one line each, if any.
void showExportNotes(const QString& path, const std::vector<std::string>& notes);

} // namespace shell
