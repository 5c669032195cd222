#pragma once

#include <QString>

class QSettings;

// The per-user settings store: a key holding named values, each either
// binary data or a text, read and written the way the program always has.
namespace shell {

inline constexpr const char* LanguageKey = "MZ7T";
inline constexpr const char* LanguageValue = "BinaryValue";

class SettingsStore {
  public:
    explicit SettingsStore(const QString& settingsFile);
    ~SettingsStore();

    // The value as text: binary data gives its first two bytes as a
    // little-endian signed 16-bit number in decimal, a text is cut at its
    // first NUL, anything else (or nothing stored) gives an empty text.
    QString GetRegValue(const QString& subKey, const QString& valueName) const;

    // Stores the text's number as one byte followed by three zero bytes.
    void SetRegByte(const QString& subKey, const QString& valueName, const QString& valueText);

    // Raw access for tests and tools.
    QSettings& settings() { return *m_settings; }

  private:
    QSettings* m_settings;
};

// How the program's write runs, kept in the settings store beside the
// language. Both steps are on unless the user turned them off.
struct WriteOptions {
    bool backupFirst = true; // read what the radio holds into a backup before writing
    bool verifyAfter = true; // read the radio back after writing and compare
};
WriteOptions loadWriteOptions(const QString& settingsFile);
void saveWriteOptions(const QString& settingsFile, const WriteOptions& options);

// The folder the last printout was saved to as a PDF, kept across runs;
// empty before the first.
QString loadPdfFolder(const QString& settingsFile);
void savePdfFolder(const QString& settingsFile, const QString& folder);

// UILanguage from the stored text: the last hexadecimal digit of its number,
// English when the text is empty or no number; anything but 0 means English.
int languageFromStoredText(const QString& text);

} // namespace shell
