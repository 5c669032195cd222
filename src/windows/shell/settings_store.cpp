#include "shell/settings_store.h"

#include <QSettings>

namespace shell {

namespace {

QString valuePath(const QString& subKey, const QString& valueName) {
    return subKey + '/' + valueName;
}

QString QueryRegValue(const QVariant& value) {
    if (value.typeId() == QMetaType::QByteArray) {
        const QByteArray data = value.toByteArray();
        if (data.size() < 2)
            return {};
        const auto low = static_cast<quint8>(data[0]);
        const auto high = static_cast<quint8>(data[1]);
        return QString::number(static_cast<qint16>(low | (high << 8)));
    }
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString();
        const qsizetype nul = text.indexOf(QChar(0));
        return nul < 0 ? text : text.left(nul);
    }
    return {};
}

} // namespace

SettingsStore::SettingsStore(const QString& settingsFile)
    : m_settings(settingsFile.isEmpty() ? new QSettings(QSettings::IniFormat, QSettings::UserScope,
                                                        "TQ305CloneDesk", "TQ305sys")
                                        : new QSettings(settingsFile, QSettings::IniFormat)) {}

SettingsStore::~SettingsStore() {
    delete m_settings;
}

QString SettingsStore::GetRegValue(const QString& subKey, const QString& valueName) const {
    return QueryRegValue(m_settings->value(valuePath(subKey, valueName)));
}

void SettingsStore::SetRegByte(const QString& subKey, const QString& valueName,
                               const QString& valueText) {
    QByteArray data(4, '\0');
    data[0] = static_cast<char>(valueText.toInt());
    m_settings->setValue(valuePath(subKey, valueName), data);
    m_settings->sync();
}

namespace {
constexpr const char* BackupFirstKey = "Write/BackupFirst";
constexpr const char* VerifyAfterKey = "Write/VerifyAfter";
constexpr const char* PdfFolderKey = "Print/PdfFolder";
} // namespace

WriteOptions loadWriteOptions(const QString& settingsFile) {
    SettingsStore store(settingsFile);
    const WriteOptions defaults;
    return {store.settings().value(BackupFirstKey, defaults.backupFirst).toBool(),
            store.settings().value(VerifyAfterKey, defaults.verifyAfter).toBool()};
}

void saveWriteOptions(const QString& settingsFile, const WriteOptions& options) {
    SettingsStore store(settingsFile);
    store.settings().setValue(BackupFirstKey, options.backupFirst);
    store.settings().setValue(VerifyAfterKey, options.verifyAfter);
    store.settings().sync();
}

QString loadPdfFolder(const QString& settingsFile) {
    return SettingsStore(settingsFile).settings().value(PdfFolderKey).toString();
}

void savePdfFolder(const QString& settingsFile, const QString& folder) {
    SettingsStore store(settingsFile);
    store.settings().setValue(PdfFolderKey, folder);
    store.settings().sync();
}

int languageFromStoredText(const QString& text) {
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok)
        return 1;
    return (number & 0xF) == 0 ? 0 : 1;
}

} // namespace shell
