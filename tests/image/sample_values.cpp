#include "sample_values.h"

namespace testing {

namespace {

void setChannel(image::EditorValues& v, int n, const char* rx, const char* tx, const char* rxTone,
                int rxPos, const char* txTone, int txPos, std::array<int, 4> flags) {
    image::ChannelRow& row = v.Form1.row(n);
    row.freqText = {rx, tx};
    row.toneText = {rxTone, txTone};
    row.listIndex = {rxPos, txPos, flags[0], flags[1], flags[2], flags[3]};
}

} // namespace

image::EditorValues sampleValues() {
    image::EditorValues v;
    setChannel(v, 1, "438.50000", "438.50000", "", 0, "", 0, {1, 1, 1, 1});
    setChannel(v, 2, "145.00625", "", "67.0", 1, "254.1", 50, {0, 0, 0, 0});
    setChannel(v, 3, "440.01250", "445.01250", "D023N", 51, "D754I", 260, {1, 0, 1, 0});
    setChannel(v, 5, "136.00000", "174.00000", "100.0", 13, "", 0, {0, 1, 0, 1});
    setChannel(v, 6, "450.00000", "455.00000", "", 0, "D023I", 156, {0, 1, 1, 0});
    setChannel(v, 50, "400.10000", "400.10000", "199.9", 40, "D754N", 155, {1, 1, 0, 0});
    setChannel(v, 99, "479.99375", "470.00000", "85.4", 8, "D131I", 177, {1, 0, 0, 1});

    auto& f = v.Form3;
    f.Combo1 = 2;
    f.Combo3 = 3;
    f.Combo16 = 0;
    f.Combo5 = 7;
    f.Text6 = "42";
    f.Combo4 = 1;
    f.Combo8 = 0;
    f.Combo9 = 1;
    f.Combo2 = 0;
    f.Combo10 = 1;
    f.Combo19 = 0;
    f.Combo7 = 2;
    f.Combo12 = 1;
    f.Combo11 = 0;
    f.Combo105 = 2;
    f.Combo14 = 9;
    f.Combo15 = 5;
    f.Combo6 = 2;
    f.Combo13 = 3;
    f.Text20 = "155.02500";
    f.Text21 = "0.60000";
    f.Combo22 = 9;   // 88.5
    f.Combo23 = 177; // D131I
    f.Combo24 = 0;
    f.Combo25 = 1;
    f.Combo27 = 0;
    f.Combo30 = 1;

    v.Form2.Text2 = u"12AD*#90";
    v.Form2.Text3 = u"B0C";

    v.Form5.presets[0] = "88.00";
    v.Form5.presets[1] = "107.95";
    v.Form5.presets[2] = "70.00";
    v.Form5.presets[4] = "88.05";
    v.Form5.Combo1 = {4, 0, 1};
    v.Form5.Text2 = "99.50";

    v.Form4 = {208, 116};
    v.band = 0;
    return v;
}

image::EditorValues defaultValues() {
    image::EditorValues v;
    auto& f = v.Form3;
    f.Combo16 = 1;
    f.Combo6 = 0;
    f.Combo105 = 1;
    f.Combo7 = 1;
    f.Combo9 = 1;
    f.Combo12 = 1;
    f.Combo1 = 1;
    f.Combo11 = 1;
    f.Text6 = std::string("1"); // = "1" trips GCC 12's false -Wrestrict in release builds
    f.Combo3 = 4;
    f.Combo5 = 4;
    f.Combo8 = 1;
    f.Combo10 = 1;
    f.Combo19 = 1;
    f.Combo13 = 1;
    f.Combo4 = 1;
    f.Combo2 = 1;
    f.Combo14 = 0;
    f.Combo15 = 1;
    f.Text20 = "440.00000";
    f.Text21 = "10.00000";
    f.Combo22 = 0;
    f.Combo23 = 0;
    f.Combo24 = 1;
    f.Combo25 = 1;
    f.Combo30 = 2;
    f.Combo27 = 1;
    v.Form5.Combo1 = {0, 1, 1};
    v.Form4 = {208, 116};
    v.band = 3;
    return v;
}

image::EditorValues zeroValues() {
    image::EditorValues v;
    setChannel(v, 7, "400.00000", "", "", 0, "", 0, {0, 0, 0, 0});
    auto& f = v.Form3;
    for (auto* p : {&f.Combo1,  &f.Combo2,  &f.Combo3,  &f.Combo4,  &f.Combo5,  &f.Combo6,
                    &f.Combo7,  &f.Combo8,  &f.Combo9,  &f.Combo10, &f.Combo11, &f.Combo12,
                    &f.Combo13, &f.Combo14, &f.Combo15, &f.Combo16, &f.Combo19, &f.Combo105,
                    &f.Combo22, &f.Combo23, &f.Combo24, &f.Combo25, &f.Combo27, &f.Combo30})
        *p = 0;
    f.Text6 = "";
    f.Text20 = "136.00000";
    f.Text21 = "0.00000";
    v.Form5.Combo1 = {0, 0, 0};
    v.Form4 = {0, 0};
    v.band = 0;
    return v;
}

} // namespace testing
