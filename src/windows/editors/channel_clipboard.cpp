#include "editors/channel_clipboard.h"

#include "exchange/channel_csv.h"
#include "exchange/channel_fields.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

namespace editors {

namespace {

const QString CsvMime = QStringLiteral("text/csv");
const QString LockMime = QStringLiteral("application/x-tq305-channel-lock");

// Rows copied from a spreadsheet arrive as tab-separated text: the same
// fields, written out as CSV.
QString tabsToCsv(const QString& text) {
    QStringList lines;
    for (const QString& line : text.split('\n')) {
        QStringList fields = (line.endsWith('\r') ? line.chopped(1) : line).split('\t');
        for (QString& field : fields)
            if (field.contains(',') || field.contains('"'))
                field = '"' + field.replace('"', "\"\"") + '"';
        lines << fields.join(',');
    }
    return lines.join('\n');
}

bool isTabSeparated(const QString& text) {
    const QString header = text.section('\n', 0, 0);
    return header.contains('\t') && !header.contains(',');
}

} // namespace

void putChannelsOnClipboard(const image::ChannelTableValues& table,
                            const std::vector<int>& channels) {
    const QByteArray csv = QByteArray::fromStdString(exchange::exportChannels(table, channels));
    QByteArray locks;
    for (int n : channels)
        if (n >= 1 && n <= image::ChannelCount && !table.row(n).isEmpty())
            locks += static_cast<char>('0' + table.row(n).listIndex[exchange::LockIndex]);
    auto* data = new QMimeData;
    data->setText(QString::fromUtf8(csv));
    data->setData(CsvMime, csv);
    data->setData(LockMime, locks);
    QApplication::clipboard()->setMimeData(data);
}

ClipboardChannels channelsOnClipboard() {
    ClipboardChannels channels;
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data)
        return channels;
    if (data->hasFormat(CsvMime))
        channels.csv = data->data(CsvMime).toStdString();
    else if (const QString text = data->text(); isTabSeparated(text))
        channels.csv = tabsToCsv(text).toStdString();
    else
        channels.csv = text.toStdString();
    for (char lock : data->data(LockMime))
        channels.locks.push_back(lock == '0' ? 0 : 1);
    return channels;
}

} // namespace editors
