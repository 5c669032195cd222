#include "exchange/channel_csv.h"
#include "exchange/channel_fields.h"
#include "exchange/csv_text.h"
#include "image/decimal_text.h"
#include "support/test_registry.h"

#include <QTest>

using exchange::RowReport;

namespace {

constexpr image::BandLimits Vhf{136, 174};

// Columns Frequency..Power of the layout, given from Duplex on.
std::string csvWith(const QString& location, const QString& frequency, const QString& rest) {
    return std::string(exchange::CsvHeader) + "\r\n" +
           QString("%1,,%2,%3,,,,,\r\n").arg(location, frequency, rest).toStdString();
}

// The import of one row onto an empty table.
std::pair<image::ChannelTableValues, exchange::ImportReport>
importOne(const std::string& csv, image::BandLimits band = Vhf) {
    image::ChannelTableValues table;
    auto report = exchange::importChannels(csv, band, {}, table);
    return {table, report};
}

// A channel row written out as "rx tx rxTone txTone power scan width".
QString describe(const image::ChannelRow& row) {
    return QStringList{
        QString::fromStdString(row.freqText[0]),
        QString::fromStdString(row.freqText[1]).isEmpty() ? "-"
                                                          : QString::fromStdString(row.freqText[1]),
        QString::fromStdString(row.toneText[0]).isEmpty() ? "off"
                                                          : QString::fromStdString(row.toneText[0]),
        QString::fromStdString(row.toneText[1]).isEmpty() ? "off"
                                                          : QString::fromStdString(row.toneText[1]),
        row.listIndex[2] ? "High" : "Low",
        row.listIndex[4] ? "scan" : "noscan",
        row.listIndex[5] ? "wide" : "narrow"}
        .join(' ');
}

// Columns Duplex..Power of an exported row.
QString exportedColumns(const image::ChannelTableValues& table) {
    const auto records = exchange::parseCsv(exchange::exportChannels(table)).rows;
    if (records.size() != 2)
        return {};
    QStringList fields;
    for (std::size_t i = 3; i <= 15; ++i)
        if (i != 13) // TStep
            fields << QString::fromStdString(records[1].fields[i]);
    return fields.join(',');
}

// All a user learns of an import of `file` onto an empty table: the report's
// lines in English, then "N: channel" for each channel it filled.
QStringList outcome(const QByteArray& file) {
    image::ChannelTableValues table;
    const auto report = exchange::importChannels(file.toStdString(), Vhf, {}, table);
    if (!report.usable)
        return {QString::fromStdString(exchange::unusableReason(report, exchange::English))};
    QStringList lines;
    for (const RowReport& row : report.rows)
        lines << QString::fromStdString(exchange::reportLine(row, exchange::English));
    for (const std::string& line : {exchange::reportUnreadRest(report, exchange::English),
                                    exchange::reportNote(report, exchange::English),
                                    exchange::reportSummary(report, exchange::English)})
        if (!line.empty())
            lines << QString::fromStdString(line);
    for (int n = 1; n <= image::ChannelCount; ++n)
        if (!table.row(n).isEmpty())
            lines << QString("%1: %2").arg(n).arg(describe(table.row(n)));
    return lines;
}

QByteArray utf16(const QString& text, bool bigEndian) {
    QByteArray bytes = bigEndian ? QByteArray("\xFE\xFF") : QByteArray("\xFF\xFE");
    for (const QChar c : text) {
        const char high = char(c.unicode() >> 8), low = char(c.unicode() & 0xFF);
        bytes += bigEndian ? QByteArray{&high, 1} + QByteArray{&low, 1}
                           : QByteArray{&low, 1} + QByteArray{&high, 1};
    }
    return bytes;
}

// The file as a spreadsheet of a decimal-comma locale saves it: semicolons,
// numbers in their shortest form with a decimal comma ("023" becomes "23"),
// CR line ends, UTF-16.
std::string savedBySpreadsheet(const std::string& csv) {
    QStringList lines;
    for (const exchange::CsvRow& row : exchange::parseCsv(csv).rows) {
        QStringList fields;
        for (const std::string& field : row.fields) {
            const auto number = image::Decimal::parse(field);
            fields << (number ? QString::fromStdString(number->toString()).replace('.', ',')
                              : QString::fromStdString(field));
        }
        lines << fields.join(';');
    }
    return utf16(lines.join('\r') + '\r', false).toStdString();
}

} // namespace

class ChannelCsvTest : public QObject {
    Q_OBJECT
  private slots:
    // Each row of the layout against the channel it stands for; the export
    // of that channel gives the same columns back.
    void mapsBothWays_data() {
        QTest::addColumn<QString>("columns"); // Duplex..Power without TStep
        QTest::addColumn<QString>("channel");
        auto row = [](const char* name, const char* columns, const char* channel) {
            QTest::newRow(name) << columns << channel;
        };
        row("simplex, no tones", ",0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,,High",
            "146.94000 146.94000 off off High scan wide");
        row("minus offset, Tone", "-,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,,High",
            "146.94000 146.34000 off 100.0 High scan wide");
        row("plus offset, TSQL", "+,0.600000,TSQL,123.0,123.0,023,NN,023,Tone->Tone,FM,,High",
            "146.94000 147.54000 123.0 123.0 High scan wide");
        row("DTCS normal", ",0.000000,DTCS,88.5,88.5,114,NN,023,Tone->Tone,FM,,High",
            "146.94000 146.94000 D114N D114N High scan wide");
        row("DTCS mixed polarity", ",0.000000,DTCS,88.5,88.5,023,RN,023,Tone->Tone,FM,,High",
            "146.94000 146.94000 D023N D023I High scan wide");
        row("Cross Tone->Tone", ",0.000000,Cross,100.0,123.0,023,NN,023,Tone->Tone,FM,,High",
            "146.94000 146.94000 123.0 100.0 High scan wide");
        row("Cross Tone->DTCS", ",0.000000,Cross,100.0,88.5,023,NR,754,Tone->DTCS,FM,,High",
            "146.94000 146.94000 D754I 100.0 High scan wide");
        row("Cross DTCS->Tone", ",0.000000,Cross,88.5,67.0,025,RN,023,DTCS->Tone,FM,,High",
            "146.94000 146.94000 67.0 D025I High scan wide");
        row("Cross DTCS->DTCS", ",0.000000,Cross,88.5,88.5,025,NN,026,DTCS->DTCS,FM,,High",
            "146.94000 146.94000 D026N D025N High scan wide");
        row("Cross ->Tone", ",0.000000,Cross,88.5,71.9,023,NN,023,->Tone,FM,,High",
            "146.94000 146.94000 71.9 off High scan wide");
        row("Cross ->DTCS", ",0.000000,Cross,88.5,88.5,023,NR,031,->DTCS,FM,,High",
            "146.94000 146.94000 D031I off High scan wide");
        row("Cross DTCS->", ",0.000000,Cross,88.5,88.5,032,RN,023,DTCS->,FM,,High",
            "146.94000 146.94000 off D032I High scan wide");
        row("plus offset off the band raster",
            "+,0.025000,,88.5,88.5,023,NN,023,Tone->Tone,FM,,High",
            "146.94000 146.96500 off off High scan wide");
        row("off", "off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,,High",
            "146.94000 - off off High scan wide");
        row("narrow, skipped, low", ",0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,S,Low",
            "146.94000 146.94000 off off Low noscan narrow");
    }
    void mapsBothWays() {
        QFETCH(QString, columns);
        QFETCH(QString, channel);
        QStringList fields = columns.split(',');
        fields.insert(10, "5.00"); // TStep
        const auto [table, report] = importOne(csvWith("7", "146.940000", fields.join(',')));
        QCOMPARE(report.rows.size(), std::size_t(1));
        QCOMPARE(report.rows[0].outcome, RowReport::Outcome::Imported);
        QCOMPARE(describe(table.row(7)), channel);
        QCOMPARE(exportedColumns(table), columns);
    }

    // Other ways of writing a row that mean the same channel.
    void acceptsOtherSpellings_data() {
        QTest::addColumn<QString>("columns");
        QTest::addColumn<QString>("channel");
        QTest::newRow("split as a frequency")
            << "split,146.340000,,88.5,88.5,023,NN,023,,FM,5,,5.0W"
            << "146.94000 146.34000 off off High scan wide";
        QTest::newRow("watts below 2 are low, Tone-> is Tone")
            << ",,Cross,88.50,88.5,23,NN,023,Tone->,,5,,1.5"
            << "146.94000 146.94000 off 88.5 Low scan wide";
        QTest::newRow("power by first letter") << ",,,,,,,,,FM,5,,h"
                                               << "146.94000 146.94000 off off High scan wide";
        QTest::newRow("watts of exactly 2 are high")
            << ",,,,,,,,,FM,5,,2"
            << "146.94000 146.94000 off off High scan wide";
        QTest::newRow("watts just below 2 are low") << ",,,,,,,,,FM,5,,1.99W"
                                                    << "146.94000 146.94000 off off Low scan wide";
    }
    void acceptsOtherSpellings() {
        QFETCH(QString, columns);
        QFETCH(QString, channel);
        const auto [table, report] = importOne(csvWith("1", "146.94", columns));
        QCOMPARE(report.rows.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(exchange::reportLine(report.rows[0], exchange::English)),
                 QString("line 2: channel 1 imported"));
        QCOMPARE(describe(table.row(1)), channel);
    }

    // Every row that cannot be kept as it stands says why.
    void reportsEveryRow() {
        const std::string csv =
            "Frequency,Location,Extra,Duplex,Offset,Tone,rToneFreq,Mode,Name\r\n"
            "146.94,1,x,-,0.6,Tone,100.0,FM,Home\r\n"
            "442.1,2,x,+,5,,,FM,\r\n"
            "146.9433,3,x,,,,,FM,\r\n"
            "146.94,0,x,,,,,FM,\r\n"
            "146.94,100,x,,,,,FM,\r\n"
            "146.94,4,x,,,Tone,101.0,FM,\r\n"
            "146.94,5,x,,,,,AM,\r\n"
            "173.9,6,x,+,0.6,,,FM,\r\n"
            "\"146.52\",\"7\",\"a, \"\"b\"\"\",,,,,NFM,\n"
            "147.0,7,x,,,,,FM,\r\n"
            "147.0,8,x,+,99999999999999999,,,FM,\r\n";
        image::ChannelTableValues table;
        const auto report = exchange::importChannels(csv, Vhf, {}, table);
        QVERIFY(report.usable);
        QStringList lines;
        for (const RowReport& row : report.rows)
            lines << QString::fromStdString(exchange::reportLine(row, exchange::English));
        const QStringList expected{
            "line 2: channel 1 imported",
            "line 3: skipped: receive frequency 442.1 lies outside the band 136-174 MHz",
            "line 4: channel 3 imported with changes: receive frequency 146.9433 snapped to "
            "146.94000",
            "line 5: skipped: location \"0\" is outside 1..99",
            "line 6: skipped: location \"100\" is outside 1..99",
            "line 7: skipped: tone 101.0 is not in the tone table",
            "line 8: skipped: mode \"AM\" is not one the radio has",
            "line 9: skipped: transmit frequency 174.5 lies outside the band 136-174 MHz",
            "line 10: channel 7 imported",
            "line 11: skipped: channel 7 was already given by line 10",
            "line 12: skipped: Offset \"99999999999999999\" is not a usable number",
        };
        QCOMPARE(lines, expected);
        QVERIFY(report.columnsDropped); // the name of line 2
        QCOMPARE(table.row(3).freqText[1], std::string("146.94000"));
        QVERIFY(table.row(2).isEmpty());
        QCOMPARE(table.row(7).freqText[0], std::string("146.52000"));
        QVERIFY(table.row(6).isEmpty());
    }

    // Files as spreadsheets and published lists write them, and files that
    // went wrong: what the report says and which channels come of them.
    void readsWhatFilesHold_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("expected");
        const QString one = "1: 146.52000 146.52000 off off High scan wide";
        const QString two = "2: 147.00000 147.00000 off off High scan wide";
        const QStringList both{"line 2: channel 1 imported", "line 3: channel 2 imported",
                               "2 of 2 rows imported, 0 skipped", one, two};
        QTest::newRow("CR line ends")
            << QByteArray("Location,Frequency\r1,146.52\r2,147\r") << both;
        QTest::newRow("LF and CRLF mixed")
            << QByteArray("Location,Frequency\r\n1,146.52\n2,147") << both;
        QTest::newRow("semicolons, decimal commas")
            << QByteArray("Location;Frequency;Duplex;Offset\n1;146,52;;\n2;147;;0,6\n") << both;
        QTest::newRow("tabs, quoted")
            << QByteArray("Location\tFrequency\n1\t\"146.52\"\n2\t147\n") << both;
        QTest::newRow("UTF-8 byte order mark")
            << QByteArray("\xEF\xBB\xBFLocation,Frequency\n1,146.52\n2,147\n") << both;
        QTest::newRow("UTF-16, little-endian")
            << utf16("Location;Frequency\r\n1;146,52\r\n2;147\r\n", false) << both;
        QTest::newRow("UTF-16, big-endian")
            << utf16("Location\tFrequency\r\n1\t146.52\r\n2\t147\r\n", true) << both;
        QTest::newRow("a quote never closed")
            << QByteArray("Location,Frequency\n1,146.52\n2,\"oops,146.1\n3,147\n4,147.1\n")
            << QStringList{"line 2: channel 1 imported",
                           "line 3: a quote opens here and is never closed; the rest of the file "
                           "could not be read",
                           "1 of 1 rows imported, 0 skipped", one};
        QTest::newRow("a quote inside a field is a character")
            << QByteArray("Location,Frequency,Mode\n1,146.52,N\"FM\n2,147,\n")
            << QStringList{"line 2: skipped: mode \"N\"FM\" is not one the radio has",
                           "line 3: channel 2 imported", "1 of 2 rows imported, 1 skipped", two};
        QTest::newRow("a line break in a field: lines of the file")
            << QByteArray("Location,Frequency,Mode\n1,146.52,\"F\r\nM\"\n\n2,147,\n")
            << QStringList{"line 2: skipped: mode \"F\\r\\nM\" is not one the radio has",
                           "line 5: channel 2 imported", "1 of 2 rows imported, 1 skipped", two};
        QTest::newRow("control bytes escaped")
            << QByteArray("Location,Frequency,Mode\n1,146.52,\x1B]0;x\x07\x9B\x7F\n2,147,") +
                   QByteArray(1, '\0') + "\n"
            << QStringList{"line 2: skipped: mode \"\\x1B]0;x\\x07\\x9B\\x7F\" is not one the "
                           "radio has",
                           "line 3: skipped: mode \"\\x00\" is not one the radio has",
                           "0 of 2 rows imported, 2 skipped"};
        QTest::newRow("signed offsets go where Duplex says")
            << QByteArray("Location,Frequency,Duplex,Offset\n1,146.52,-,-0.6\n2,147,+,-0.6\n")
            << QStringList{"line 2: channel 1 imported with changes: offset -0.6 taken without "
                           "its sign, in the direction Duplex \"-\" gives",
                           "line 3: channel 2 imported with changes: offset -0.6 taken without "
                           "its sign, in the direction Duplex \"+\" gives",
                           "2 of 2 rows imported, 0 skipped",
                           "1: 146.52000 145.92000 off off High scan wide",
                           "2: 147.00000 147.60000 off off High scan wide"};
        QTest::newRow("offsets at the ends of 64 bits")
            << QByteArray("Location,Frequency,Duplex,Offset\n1,146.52,+,9223372036854.775807\n"
                          "2,147,-,-9223372036854.775807\n")
            << QStringList{"line 2: skipped: transmit frequency 9223372037001.295807 lies "
                           "outside the band 136-174 MHz",
                           "line 3: skipped: transmit frequency -9223372036707.775807 lies "
                           "outside the band 136-174 MHz",
                           "0 of 2 rows imported, 2 skipped"};
        QTest::newRow("the lock column")
            << QByteArray("Location,Frequency,BusyLock\n1,146.52,on\n2,147,Off\n3,147.1,yes\n")
            << QStringList{"line 2: channel 1 imported",
                           "line 3: channel 2 imported",
                           "line 4: skipped: BusyLock \"yes\" is neither On nor Off",
                           "2 of 3 rows imported, 1 skipped",
                           one,
                           two};
        QTest::newRow("the raster's tuning steps are no loss")
            << QByteArray("Location,Frequency,TStep\n1,146.52,5.00\n2,147,6.25\n") << both;
        QTest::newRow("another tuning step is named")
            << QByteArray("Location,Frequency,TStep\n1,146.52,12.5\n")
            << QStringList{"line 2: channel 1 imported",
                           "Name, Comment, TStep and the digital columns are not kept: the radio "
                           "has no channel names and no digital modes",
                           "1 of 1 rows imported, 0 skipped", one};
        QTest::newRow("a semicolon header is found")
            << QByteArray("Name;Comment\nx;y\n")
            << QStringList{"the first line holds the columns \"Name\", \"Comment\", without "
                           "Location and Frequency"};
        QTest::newRow("a data file chosen by mistake: its start, escaped")
            << QByteArray("TQ-305\xFF\x03\xFF\xFFV0100") + QByteArray(2000, '\xFF')
            << QStringList{"the first line holds the columns \"TQ-305\\xFF\\x03\\xFF\\xFFV0100" +
                           QString("\\xFF").repeated(17) + "…\", without Location and Frequency"};
        QTest::newRow("nothing to read")
            << QByteArray("\r\n\r\n") << QStringList{"the file holds no text"};
    }
    void readsWhatFilesHold() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, expected);
        QCOMPARE(outcome(file), expected);
    }

    void renumbersInFileOrder() {
        const std::string csv = "Location,Frequency\n50,146.52\n9,500\n3,147.0\n";
        image::ChannelTableValues table;
        exchange::importChannels(csv, Vhf, {.renumber = true}, table);
        QCOMPARE(table.row(1).freqText[0], std::string("146.52000"));
        QCOMPARE(table.row(2).freqText[0], std::string("147.00000"));
        QVERIFY(table.row(3).isEmpty() && table.row(50).isEmpty());
    }

    void refusesTextWithoutTheColumns() {
        image::ChannelTableValues table;
        QVERIFY(!exchange::importChannels("Name,Comment\nx,y\n", Vhf, {}, table).usable);
        QVERIFY(!exchange::importChannels("", Vhf, {}, table).usable);
    }

    // A table exported and read back is the same table, also after a
    // spreadsheet has saved the file its way.
    void exportReadsBackTheSameTable_data() {
        QTest::addColumn<bool>("throughSpreadsheet");
        QTest::newRow("as written") << false;
        QTest::newRow("saved by a spreadsheet") << true;
    }
    void exportReadsBackTheSameTable() {
        QFETCH(bool, throughSpreadsheet);
        image::ChannelTableValues table;
        const std::string rows = "Location,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,"
                                 "DtcsCode,DtcsPolarity,RxDtcsCode,CrossMode,Mode,Skip,Power\n"
                                 "1,438.5125,-,7.6,TSQL,,254.1,,,,,NFM,S,Low\n"
                                 "2,400,,,DTCS,,,754,RR,,,FM,,High\n"
                                 "50,479.99375,off,,Cross,67.0,,,RN,023,Tone->DTCS,FM,,\n"
                                 "99,480,split,400,,,,,,,,FM,,\n";
        const image::BandLimits uhf{400, 480};
        const auto first = exchange::importChannels(rows, uhf, {}, table);
        QCOMPARE(first.rows.size(), std::size_t(4));
        for (const RowReport& row : first.rows)
            QCOMPARE(row.outcome, RowReport::Outcome::Imported);
        table.row(2).listIndex[exchange::LockIndex] = exchange::LockOn;
        std::string csv = exchange::exportChannels(table);
        if (throughSpreadsheet)
            csv = savedBySpreadsheet(csv);
        image::ChannelTableValues again;
        const auto second = exchange::importChannels(csv, uhf, {}, again);
        QCOMPARE(second.rows.size(), std::size_t(4));
        QVERIFY(!second.columnsDropped);
        QCOMPARE(again, table);
    }
};

TQ_REGISTER_TEST(ChannelCsvTest);
#include "channel_csv_test.moc"
