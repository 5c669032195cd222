// clang-format off
// moc reads these in order and needs the Qt headers before <compare>.
#include <QTest>
#include "image/dtmf_text.h"
#include "image/image_decoder.h"
#include "image/image_encoder.h"
#include "sample_values.h"
#include "support/test_registry.h"
// clang-format on

#include <algorithm>
#include <vector>

// The DTMF boxes' key filter, shared with the decoder's notion of a DTMF character.
static_assert(image::dtmfKey(u'a') == u'A' && image::dtmfKey(u'd') == u'D');
static_assert(!image::dtmfKey(u'e') && !image::dtmfKey(u'-') && !image::dtmfKey(u' '));
static_assert(image::dtmfKey(u'*') == u'*' && image::dtmfKey(u'#') == u'#' &&
              image::dtmfKey(u'0') == u'0');

using image::EditorValues;
using image::MemoryImage;
using Bytes = QList<int>;

namespace {

MemoryImage filled(std::uint8_t value) {
    MemoryImage m;
    m.fill(value);
    return m;
}

Bytes slice(const MemoryImage& m, std::size_t from, std::size_t count) {
    Bytes out;
    for (std::size_t i = from; i < from + count; ++i)
        out << m[i];
    return out;
}

Bytes repeat(int value, int count) {
    return Bytes(count, value);
}

EditorValues withBand(const image::DecodedImage& decoded, image::ListPosition band) {
    EditorValues v;
    static_cast<image::WindowValues&>(v) = decoded;
    v.band = band;
    return v;
}

} // namespace

class ImageCodecTest : public QObject {
    Q_OBJECT

  private slots:
    // The windows' values survive encode -> decode, and the image survives
    // decode -> encode byte for byte, whatever the target held before.
    void roundTrip_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("sample") << 0;
        QTest::newRow("editor defaults") << 1;
        QTest::newRow("positions zero") << 2;
    }
    void roundTrip() {
        QFETCH(int, which);
        const EditorValues values = which == 0   ? testing::sampleValues()
                                    : which == 1 ? testing::defaultValues()
                                                 : testing::zeroValues();
        MemoryImage first = filled(0x00);
        image::encodeImage(values, first);
        const image::DecodedImage decoded = image::decodeImage(first);
        QVERIFY(decoded == static_cast<const image::WindowValues&>(values));

        MemoryImage second = filled(0xA5);
        image::encodeImage(withBand(decoded, values.band), second);
        QCOMPARE(slice(second, 0, image::ImageSize), slice(first, 0, image::ImageSize));
        QCOMPARE(int(second[image::ImageSize]), 0xA5); // index 2048 is never written
    }

    // The radio reads back only three of the five power-off entries.
    void powerOffBeyondTwoReadsBackOff_data() {
        QTest::addColumn<int>("position");
        QTest::newRow("180 minutes") << 3;
        QTest::newRow("240 minutes") << 4;
    }
    void powerOffBeyondTwoReadsBackOff() {
        QFETCH(int, position);
        EditorValues values = testing::sampleValues();
        values.Form3.Combo6 = position;
        MemoryImage first = filled(0x00);
        image::encodeImage(values, first);
        QCOMPARE(int(first[0x70C]), position);
        const auto decoded = image::decodeImage(first);
        QCOMPARE(decoded.Form3.Combo6, image::ListPosition(0));
        MemoryImage second = first;
        image::encodeImage(withBand(decoded, values.band), second);
        second[0x70C] = std::uint8_t(position);
        QVERIFY(second == first);
    }

    void channelRecord_data() {
        QTest::addColumn<QString>("rx");
        QTest::addColumn<QString>("tx");
        QTest::addColumn<QString>("rxTone");
        QTest::addColumn<int>("rxPos");
        QTest::addColumn<QString>("txTone");
        QTest::addColumn<int>("txPos");
        QTest::addColumn<Bytes>("flags");
        QTest::addColumn<Bytes>("record");
        const Bytes high = {1, 1, 1, 1};
        QTest::newRow("no tx, tones off")
            << "438.50000"
            << ""
            << "" << 0 << "" << 0 << high << Bytes{0x00, 0x00, 0x85, 0x43} + repeat(0xFF, 9);
        QTest::newRow("flags all zero")
            << "438.50000"
            << ""
            << "" << 0 << "" << 0 << Bytes{0, 0, 0, 0}
            << Bytes{0x00, 0x00, 0x85, 0x43} + repeat(0xFF, 8) + Bytes{0xE2};
        QTest::newRow("CTCSS and inverted DCS")
            << "438.50000"
            << "438.50000"
            << "67.0" << 1 << "D023I" << 156 << high
            << Bytes{0x00, 0x00, 0x85, 0x43, 0x00, 0x00, 0x85, 0x43, 0x70, 0x06, 0x23, 0xC0, 0xFF};
        QTest::newRow("empty channel ignores the rest")
            << ""
            << "145.00000"
            << "67.0" << 1 << "" << 0 << high << repeat(0xFF, 13);
        // Sources that cannot become a byte leave it as it was (0x00 here).
        QTest::newRow("flag list off its two entries")
            << "438.50000"
            << ""
            << "" << 0 << "" << 0 << Bytes{1, 2, 1, 1}
            << Bytes{0x00, 0x00, 0x85, 0x43} + repeat(0xFF, 8) + Bytes{0x00};
        QTest::newRow("non-hex digit in frequency")
            << "4x8.50000"
            << ""
            << "" << 0 << "" << 0 << high << Bytes{0x00, 0x00, 0x85, 0x00} + repeat(0xFF, 9);
        QTest::newRow("tone text without a code")
            << "438.50000"
            << ""
            << "xy" << 3 << "" << 0 << high
            << Bytes{0x00, 0x00, 0x85, 0x43, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF};
    }
    void channelRecord() {
        QFETCH(QString, rx);
        QFETCH(QString, tx);
        QFETCH(QString, rxTone);
        QFETCH(int, rxPos);
        QFETCH(QString, txTone);
        QFETCH(int, txPos);
        QFETCH(Bytes, flags);
        QFETCH(Bytes, record);
        EditorValues values;
        image::ChannelRow& row = values.Form1.row(1);
        row.freqText = {rx.toStdString(), tx.toStdString()};
        row.toneText = {rxTone.toStdString(), txTone.toStdString()};
        row.listIndex = {rxPos, txPos, flags[0], flags[1], flags[2], flags[3]};
        MemoryImage m = filled(0x00);
        image::encodeImage(values, m);
        QCOMPARE(slice(m, 0, 13), record);
    }

    void fixedBytes() {
        EditorValues values = testing::defaultValues();
        values.Form2.Text2 = u"123";
        values.Form5.presets[0] = "88.00";
        MemoryImage m = filled(0x00);
        image::encodeImage(values, m);
        QCOMPARE(slice(m, 0x000, 0x700), repeat(0xFF, 0x700));         // empty table and spare area
        QCOMPARE(slice(m, 0x706, 4), (Bytes{0xFF, 0x7D, 0x00, 0x00})); // scan mode 1 in bit 6
        QCOMPARE(slice(m, 0x710, 16), (Bytes{'T', 'Q', '-', '4', '7', 0x00, 3} + repeat(0xFF, 9)));
        QCOMPARE(slice(m, 0x720, 16), (Bytes{0x00, 0x00, 0x00, 0x44, 0x00, 0x00, 0x00, 0x01, 0xFF,
                                             0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x02, 0xFF}));
        QCOMPARE(slice(m, 0x740, 32), (Bytes{0x31, 0x32, 0x33} + repeat(0xFF, 29)));
        QCOMPARE(slice(m, 0x760, 2), (Bytes{0x01, 0x68}));
        QCOMPARE(slice(m, 0x79E, 8), (Bytes{0xFF, 0xFF, 0x00, 0x01, 0x01, 0xFF, 0xFF, 0xFF}));
        QCOMPARE(slice(m, 0x7A6, 0x4A), repeat(0xFF, 0x4A));
        QCOMPARE(slice(m, 0x7F0, 16), (Bytes{208, 0xFF, 116} + repeat(0xFF, 13)));

        values.Form3.Combo4 = values.Form3.Combo8 = values.Form3.Combo9 = values.Form3.Combo2 =
            values.Form3.Combo10 = values.Form3.Combo19 = 0;
        image::encodeImage(values, m);
        QCOMPARE(int(m[0x706]), 0x42);
    }

    // Each source that cannot become a byte leaves exactly its own bytes alone;
    // everything else is written as usual.
    void unconvertibleSourcesKeepTheirBytes() {
        EditorValues values = testing::sampleValues();
        values.Form3.Combo1.reset();           // 0x700: list without selection
        values.Form3.Text6 = "300";            // 0x705: above 255
        values.Form3.Combo4.reset();           // 0x706: one switch unselected
        values.Form3.Combo7 = 4;               // 0x707: voice prompt off its two bits
        values.band.reset();                   // 0x716
        values.Form3.Text21 = "1.2.3";         // 0x724..0x727: not a number
        values.Form3.Combo22 = 261;            // 0x728..0x729: past the tone table
        values.Form2.Text2 = u"1\u4E2DAD*#90"; // 0x741: beyond a byte
        values.Form5.presets[1] = "69.95";     // 0x762..0x763: below 70 MHz
        values.Form5.Text2 = "4000";           // 0x7A4..0x7A5: beyond 16 bits
        values.Form4.Slider1 = 256;            // 0x7F0
        const std::vector<std::pair<std::size_t, std::size_t>> kept{
            {0x700, 1}, {0x705, 1}, {0x706, 1}, {0x707, 1}, {0x716, 1}, {0x724, 4},
            {0x728, 2}, {0x741, 1}, {0x762, 2}, {0x7A4, 2}, {0x7F0, 1}};

        MemoryImage reference = filled(0x5A);
        image::encodeImage(testing::sampleValues(), reference);
        MemoryImage m = filled(0x5A);
        image::encodeImage(values, m);
        for (std::size_t i = 0; i < image::ImageSize; ++i) {
            const bool inKept = std::any_of(kept.begin(), kept.end(), [i](const auto& r) {
                return i >= r.first && i < r.first + r.second;
            });
            if (m[i] != (inKept ? 0x5A : reference[i]))
                QFAIL(qPrintable(QString("byte 0x%1").arg(i, 3, 16, QChar('0'))));
        }
    }

    // Byte 0x707 as stored files and programmed radios carry it: the scan
    // mode's high nibble decodes to its list position and saves back unchanged.
    void scanModeNibble_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("position");
        QTest::newRow("0x3: carry") << 0x3D << 0;
        QTest::newRow("0x7: time") << 0x7D << 1;
        QTest::newRow("0xB: search") << 0xB6 << 2;
        QTest::newRow("0xF: not in the list") << 0xF1 << 3;
    }
    void scanModeNibble() {
        QFETCH(int, byte);
        QFETCH(int, position);
        MemoryImage m = filled(0xFF);
        image::encodeImage(testing::sampleValues(), m);
        m[0x707] = std::uint8_t(byte);
        const image::DecodedImage decoded = image::decodeImage(m);
        QCOMPARE(decoded.Form3.Combo105, image::ListPosition(position));
        QCOMPARE(decoded.Form3.Combo7, image::ListPosition(byte & 3));

        EditorValues values = withBand(decoded, testing::sampleValues().band);
        if (position == 3)
            values.Form3.Combo105 = 2; // the list keeps what it showed before
        MemoryImage saved = filled(0x00);
        image::encodeImage(values, saved);
        QCOMPARE(int(saved[0x707]), position == 3 ? 0xB1 : byte);
    }

    // The present channel byte (0x705): 99 is the last channel there is.
    void presentChannel_data() {
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("text");
        QTest::newRow("1") << 1 << "1";
        QTest::newRow("98") << 98 << "98";
        QTest::newRow("99, the last") << 99 << "99";
        QTest::newRow("100, none") << 100 << "";
        QTest::newRow("0xFF, none") << 0xFF << "";
    }
    void presentChannel() {
        QFETCH(int, byte);
        QFETCH(QString, text);
        MemoryImage m = filled(0xFF);
        image::encodeImage(testing::sampleValues(), m);
        m[0x705] = std::uint8_t(byte);
        QCOMPARE(QString::fromStdString(image::decodeImage(m).Form3.Text6), text);
    }

    void decodeAllFF() {
        const image::DecodedImage d = image::decodeImage(filled(0xFF));
        for (int n = 1; n <= image::ChannelCount; ++n)
            QVERIFY(d.Form1.row(n) == image::ChannelRow{});
        const auto& f = d.Form3;
        using P = image::ListPosition;
        QCOMPARE(f.Combo1, P(1));
        QCOMPARE(f.Combo3, P(1));
        QCOMPARE(f.Combo16, P(1));
        QCOMPARE(f.Combo5, P(5));
        QCOMPARE(f.Text6, std::string());
        for (const P& bit : {f.Combo4, f.Combo8, f.Combo9, f.Combo2, f.Combo10, f.Combo19,
                             f.Combo12, f.Combo11, f.Combo24, f.Combo25, f.Combo27})
            QCOMPARE(bit, P(1));
        QCOMPARE(f.Combo7, P(3));   // no such entry: the list stays as it was
        QCOMPARE(f.Combo105, P(3)); // likewise
        QCOMPARE(f.Combo14, P(5));
        QCOMPARE(f.Combo15, P(1));
        QCOMPARE(f.Combo6, P(0));
        QCOMPARE(f.Combo13, P(1));
        QCOMPARE(f.Text20, std::string("FFF.FFFFF"));
        QCOMPARE(f.Text21, std::string("0.00000"));
        QCOMPARE(f.Combo22, P(0));
        QCOMPARE(f.Combo23, P(0));
        QCOMPARE(f.Combo30, P(255));
        QCOMPARE(d.Form4.Slider1, 255);
        QCOMPARE(d.Form4.Slider2, 255);
        QVERIFY(d.Form2 == image::DtmfValues{});
        QCOMPARE(d.Form5.presets, decltype(d.Form5.presets){});
        QCOMPARE(d.Form5.Text2, std::string());
    }

    void decodeOddRecords() {
        MemoryImage m = filled(0xFF);
        m[0] = 0x00; // channel 1: only +0 set
        // channel 2: 85.4 as receive tone, a one-byte 0xFF transmit tone
        const std::array<std::uint8_t, 13> two{0x00, 0x00, 0x85, 0x43, 0xFF, 0x00, 0x00,
                                               0x00, 0x54, 0x08, 0xFF, 0x06, 0xE2};
        std::copy(two.begin(), two.end(), m.begin() + 13);
        m[0x728] = 0x54;
        m[0x729] = 0x08;
        const auto d = image::decodeImage(m);

        const image::ChannelRow& one = d.Form1.row(1);
        QCOMPARE(one.freqText[0], std::string("FFF.FFF00"));
        QCOMPARE(one.freqText[1], std::string());
        QCOMPARE(one.listIndex, (std::array<int, 6>{0, 0, 1, 1, 1, 1}));

        const image::ChannelRow& second = d.Form1.row(2);
        QCOMPARE(second.freqText[1], std::string()); // +4 is 0xFF: no transmit frequency
        QCOMPARE(second.toneText[0], std::string("85.4"));
        QCOMPARE(second.toneText[1], std::string("6F.F"));
        QCOMPARE(second.listIndex, (std::array<int, 6>{8, 0, 0, 0, 0, 0}));
        QCOMPARE(d.Form3.Combo22, image::ListPosition(8));
    }

    void decodeDtmfAndFm_data() {
        QTest::addColumn<Bytes>("pttId");
        QTest::addColumn<QString>("text");
        QTest::newRow("ends at 0xFF") << Bytes{'1', '2', 0xFF, '3'} << "12";
        QTest::newRow("ends at a refused character") << Bytes{'1', 'a', '3'} << "1";
        QTest::newRow("all sixteen")
            << Bytes{'0', '1', '2', '3', '4', '5', '6', '7', '8', '9', 'A', 'B', 'C', 'D', '*', '#'}
            << "0123456789ABCD*#";
        QTest::newRow("starts with zero byte") << Bytes{0x00, '1'} << "";
    }
    void decodeDtmfAndFm() {
        QFETCH(Bytes, pttId);
        QFETCH(QString, text);
        MemoryImage m = filled(0xFF);
        for (int k = 0; k < pttId.size(); ++k)
            m[0x740 + std::size_t(k)] = std::uint8_t(pttId[k]);
        m[0x760] = 0x02; // preset 1: 0x02F8 is past 107.95 MHz
        m[0x761] = 0xF8;
        m[0x762] = 0x00; // preset 2: 70.00
        m[0x763] = 0x00;
        const auto d = image::decodeImage(m);
        QCOMPARE(QString::fromStdU16String(d.Form2.Text2), text);
        QCOMPARE(d.Form5.presets[0], std::string());
        QCOMPARE(d.Form5.presets[1], std::string("70.00"));
    }
};

TQ_REGISTER_TEST(ImageCodecTest);

#include "image_codec_test.moc"
