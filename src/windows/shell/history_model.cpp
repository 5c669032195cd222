#include "shell/history_model.h"

#include "records/write_result.h"
#include "words/band_entries.h"
#include "words/file_names.h"
#include "words/history_window_texts.h"
#include "words/language_text.h"

#include <QByteArray>
#include <QStringList>
#include <algorithm>
#include <filesystem>
#include <string_view>

namespace shell {

namespace {

// Rows read from the database at a time: a few screenfuls.
constexpr int PageRows = 200;

QString bytesText(const std::string& bytes) {
    return ui::fileNameText(QByteArray::fromStdString(bytes));
}

// "port 3" is the program's port 3; a device named directly has none.
int recordPortNumber(const std::string& port) {
    constexpr std::string_view Prefix = "port ";
    if (!port.starts_with(Prefix) || port.size() == Prefix.size() ||
        port.size() > Prefix.size() + 4)
        return 0;
    int number = 0;
    for (char digit : std::string_view(port).substr(Prefix.size())) {
        if (digit < '0' || digit > '9')
            return 0;
        number = number * 10 + (digit - '0');
    }
    return number;
}

} // namespace

HistoryModel::HistoryModel(std::unique_ptr<records::History> history, int language, QObject* parent)
    : QAbstractTableModel(parent), m_history(std::move(history)), m_language(language),
      m_gathered(!m_history), m_portLabel(text("PortLabel")) {
    for (std::size_t action = 0; action < m_actions.size(); ++action)
        m_actions[action] = text("Action", int(action));
    // A slice at a time, between the window's events.
    m_gathering.setInterval(0);
    connect(&m_gathering, &QTimer::timeout, this, [this] {
        if (!gatherSlice())
            m_gathering.stop();
    });
    if (!m_gathered)
        m_gathering.start();
}

HistoryModel::~HistoryModel() = default;

QString HistoryModel::text(const char* control, int index) const {
    return ui::languageText(HistoryTexts, "FrmHistory", control, ui::TextTarget::Caption, index,
                            m_language);
}

int HistoryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_ids.size());
}

int HistoryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return ui::languageText(HistoryTexts, "FrmHistory", "TableHistory", ui::TextTarget::HeaderCell,
                            section, m_language);
}

const records::Record* HistoryModel::record(int row) const {
    if (row < 0 || row >= rowCount())
        return nullptr;
    const int page = row / PageRows;
    auto found = m_pages.find(page);
    if (found == m_pages.end()) {
        const std::size_t first = std::size_t(page) * PageRows;
        const std::size_t count = std::min<std::size_t>(PageRows, m_ids.size() - first);
        std::vector<records::Record> records =
            m_history->recordsById(std::span(m_ids).subspan(first, count));
        // One another program removed meanwhile shows as an empty row.
        std::vector<records::Record> page(count);
        std::size_t next = 0;
        for (std::size_t n = 0; n < count && next < records.size(); ++n)
            if (records[next].id == m_ids[first + n])
                page[n] = std::move(records[next++]);
        found = m_pages.emplace(row / PageRows, std::move(page)).first;
    }
    const records::Record& record = found->second[std::size_t(row % PageRows)];
    return record.id ? &record : nullptr;
}

int HistoryModel::rowOf(std::int64_t id) const {
    const auto found = std::find(m_ids.begin(), m_ids.end(), id);
    return found == m_ids.end() ? -1 : int(found - m_ids.begin());
}

bool HistoryModel::backupMissing(int row) const {
    const records::Record* shown = record(row);
    if (!shown || shown->backup.empty())
        return false;
    auto found = m_missing.find(shown->id);
    if (found == m_missing.end()) {
        std::error_code unknown;
        found =
            m_missing.emplace(shown->id, !std::filesystem::exists(shown->backup, unknown)).first;
    }
    return found->second;
}

int HistoryModel::radioPort(int row) const {
    const records::Record* shown = record(row);
    return shown ? recordPortNumber(shown->port) : 0;
}

QString HistoryModel::cellText(int row, int column) const {
    const records::Record* shown = record(row);
    return shown ? shownText(*shown, column) : QString();
}

QString HistoryModel::shownText(const records::Record& shown, int column) const {
    switch (records::Column(column)) {
    case records::Column::At:
        return QString::fromStdString(records::localTimeText(shown.at));
    case records::Column::Action:
        return m_actions[std::size_t(shown.action)];
    case records::Column::Port:
        if (const int port = recordPortNumber(shown.port))
            return m_portLabel.arg(port);
        return QString::fromStdString(shown.port.empty() ? shown.device : shown.port);
    case records::Column::Band:
        return shown.band ? editors::bands::entryText(*shown.band) : QString("-");
    case records::Column::Values: {
        QStringList values;
        for (const auto& [key, value] : shown.values)
            values << QString::fromStdString(key + "=" + value);
        return values.join(' ');
    }
    case records::Column::Result: {
        // Few results and files recur in many records.
        auto result = m_results.find(shown.result);
        if (result == m_results.end())
            result = m_results
                         .emplace(shown.result, QString::fromStdString(records::resultTextIn(
                                                    shown.result, m_language)))
                         .first;
        return result->second;
    }
    case records::Column::File: {
        auto file = m_files.find(shown.file);
        if (file == m_files.end())
            file = m_files.emplace(shown.file, bytesText(shown.file)).first;
        return file->second;
    }
    case records::Column::Backup:
        return bytesText(shown.backup);
    }
    return {};
}

QVariant HistoryModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    // A backup is always in the backup folder: its name says which.
    if (role == Qt::DisplayRole && index.column() == BackupColumn)
        return cellText(index.row(), index.column()).section('/', -1);
    if (role == Qt::DisplayRole)
        return cellText(index.row(), index.column());
    // A long text cut to its column's room is whole in the tooltip.
    if (role == Qt::ToolTipRole && index.column() == BackupColumn && backupMissing(index.row()))
        return text("BackupMissing", 1);
    if (role == Qt::ToolTipRole && index.column() >= ResultColumn)
        return cellText(index.row(), index.column());
    return {};
}

void HistoryModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= ColumnCount)
        return;
    m_order = {records::Column(column), order == Qt::DescendingOrder};
    refresh();
}

void HistoryModel::refresh() {
    m_ordered = m_history ? m_history->orderedIds(m_order) : std::vector<std::int64_t>();
    // Records made since are gathered too.
    if (m_history && m_gathered) {
        m_gathered = false;
        m_gathering.start();
    }
    applyFilter(false);
}

void HistoryModel::setFilter(const QString& typed) {
    const QByteArray wanted = typed.trimmed().toLower().toUtf8();
    // Typing on narrows what is shown; anything else looks through all.
    const bool narrowing = !m_wanted.isEmpty() && wanted.contains(m_wanted);
    m_wanted = wanted;
    applyFilter(narrowing);
}

void HistoryModel::applyFilter(bool narrowing) {
    if (!m_wanted.isEmpty())
        gatherTexts();
    beginResetModel();
    m_pages.clear();
    if (m_wanted.isEmpty()) {
        m_ids = m_ordered;
    } else {
        const std::string_view wanted(m_wanted.constData(), std::size_t(m_wanted.size()));
        std::vector<std::int64_t> shown;
        for (std::int64_t id : narrowing ? m_ids : m_ordered)
            if (const auto texts = m_texts.find(id);
                texts != m_texts.end() && texts->second.find(wanted) != std::string::npos)
                shown.push_back(id);
        m_ids = std::move(shown);
    }
    endResetModel();
}

void HistoryModel::gatherTexts() {
    while (gatherSlice()) {
    }
    m_gathering.stop();
}

bool HistoryModel::gatherSlice() {
    constexpr int SliceRecords = 1000;
    if (m_gathered)
        return false;
    const std::vector<records::Record> slice = m_history->recordsAfter(m_gatheredTo, SliceRecords);
    for (const records::Record& record : slice) {
        QStringList texts;
        for (int column = 0; column < ColumnCount; ++column)
            texts << shownText(record, column);
        // A job's name shows its radios.
        texts << QString::fromStdString(record.job);
        m_texts.emplace(record.id, texts.join('\n').toLower().toStdString());
        m_gatheredTo = record.id;
    }
    m_gathered = int(slice.size()) < SliceRecords;
    return !m_gathered;
}

} // namespace shell
