#pragma once

namespace shell {

class MainWindow;

// MNImportCsv: a CSV channel list chosen in the Open dialog, its report
// shown before anything changes, then put into the channel table as one
// change. A file that cannot be used is reported and changes nothing.
void importCsv(MainWindow& window);

// MNExportCsv: the channel table as it stands, as a CSV file chosen in the
// Save dialog; the file is replaced whole or not at all.
void exportCsv(MainWindow& window);

} // namespace shell
