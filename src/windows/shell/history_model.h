// The rows of File > History...: every record in the order of the column
// chosen, each screenful read when the view first shows it, narrowed by
// the filter box. The filter looks through the texts the rows show, which
// the model gathers a slice at a time while the window waits for keys, so
// that neither the opening nor a key reads the whole database.
#pragma once

#include "records/history.h"
#include "records/history_query.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QString>
#include <QTimer>
#include <array>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace shell {

class HistoryModel : public QAbstractTableModel {
  public:
    static constexpr int ColumnCount = 8;
    static constexpr int ResultColumn = 5;
    static constexpr int FileColumn = 6;
    static constexpr int BackupColumn = 7;

    // Without a database the list is empty. The rows come with the first
    // sort(), which a view sorting by a column asks for.
    HistoryModel(std::unique_ptr<records::History> history, int language,
                 QObject* parent = nullptr);
    ~HistoryModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    // Keeps the records a text of whose row holds `text` (trimmed, any case).
    void setFilter(const QString& text);
    // The records again, after some were removed.
    void refresh();
    // Every record's texts gathered for the filter (done by itself while
    // the window is idle; a key typed sooner waits for it).
    void gatherTexts();

    const records::Record* record(int row) const;
    // The row of a record; -1 when the filter leaves it out.
    int rowOf(std::int64_t id) const;
    // The row's backup was taken but is no longer there.
    bool backupMissing(int row) const;
    // The whole text of a cell, as the filter and the CSV export take it
    // (the Backup column shows only the backup's name).
    QString cellText(int row, int column) const;
    // The program's port number the row's radio was on; 0 for a device.
    int radioPort(int row) const;
    records::History* history() const { return m_history.get(); }

  private:
    QString text(const char* control, int index = 0) const;
    QString shownText(const records::Record& record, int column) const;
    // One slice of gatherTexts(); false once every record is in.
    bool gatherSlice();
    // The shown rows from the records in order, narrowed from the rows
    // shown already when the text only grew.
    void applyFilter(bool narrowing);

    std::unique_ptr<records::History> m_history;
    int m_language;
    records::Order m_order;
    std::vector<std::int64_t> m_ordered; // every record
    std::vector<std::int64_t> m_ids;     // those shown
    QByteArray m_wanted;                 // the filter, lower-case UTF-8
    // Each record's shown texts, lower-case, one line per column.
    std::unordered_map<std::int64_t, std::string> m_texts;
    std::int64_t m_gatheredTo = 0;
    bool m_gathered = false;
    QTimer m_gathering;
    // The words of the rows, looked up once.
    std::array<QString, 4> m_actions;
    QString m_portLabel;
    mutable std::unordered_map<std::string, QString> m_results;
    mutable std::unordered_map<std::string, QString> m_files;
    // Read as the view asks for them, by page of rows.
    mutable std::unordered_map<int, std::vector<records::Record>> m_pages;
    mutable std::unordered_map<std::int64_t, bool> m_missing;
};

} // namespace shell
