// DecodeImage and EncodeImage: the main window moves values between the
// image codec and the editor windows; the byte rules live in the codec.
#include "editors/band_list.h"
#include "editors/band_selection.h"
#include "editors/channel_table.h"
#include "editors/dtmf_editor.h"
#include "editors/fm_presets_editor.h"
#include "editors/optional_features.h"
#include "editors/power_levels.h"
#include "files/dat_file.h"
#include "image/image_decoder.h"
#include "image/image_encoder.h"
#include "shell/edit_history.h"
#include "shell/main_window.h"

#include <QComboBox>

namespace shell {

namespace {

image::DtmfValues valuesOf(const editors::DtmfEditor& form) {
    return {form.pttIdCode().toStdU16String(), form.ownCode().toStdU16String()};
}

void showDecoded(editors::DtmfEditor& form, const image::DtmfValues& values) {
    form.setPttIdCode(QString::fromStdU16String(values.Text2));
    form.setOwnCode(QString::fromStdU16String(values.Text3));
}

image::FmPresetValues valuesOf(const editors::FmPresetsEditor& form) {
    image::FmPresetValues values;
    for (int row = 1; row <= image::FmPresetCount; ++row)
        values.presets[std::size_t(row - 1)] = form.presetText(row).toStdString();
    for (int member = 0; member < editors::FmPresetsEditor::ListCount; ++member)
        if (const int position = form.listPosition(member); position >= 0)
            values.Combo1[std::size_t(member)] = position;
    values.Text2 = form.fullBandText().toStdString();
    return values;
}

void showDecoded(editors::FmPresetsEditor& form, const image::FmPresetValues& values) {
    for (int row = 1; row <= image::FmPresetCount; ++row)
        form.setPresetText(row, QString::fromStdString(values.presets[std::size_t(row - 1)]));
    for (int member = 0; member < editors::FmPresetsEditor::ListCount; ++member)
        if (const auto& position = values.Combo1[std::size_t(member)])
            form.setListPosition(member, *position);
    form.setFullBandText(QString::fromStdString(values.Text2));
}

} // namespace

void MainWindow::DecodeImage() {
    const image::DecodedImage decoded = image::decodeImage(ReceiveImage);
    Form1->showDecodedChannels(decoded.Form1);
    showDecoded(*Form2, decoded.Form2);
    Form3->showDecoded(decoded.Form3);
    Form4->showDecoded(decoded.Form4);
    showDecoded(*Form5, decoded.Form5);
    // An image read or opened starts a history of its own.
    if (m_history)
        m_history->startFresh();
}

void MainWindow::showDatFile(const files::DatFile& file) {
    if (file.band)
        m_bandSelection->selectBandCode(*file.band);
    file.copyInto(ReceiveImage);
    DecodeImage();
}

void MainWindow::StartForms() {
    Form1->StartForm();
    Form2->StartForm();
    Form3->StartForm();
    Form4->StartForm();
    m_history->startFresh();
}

image::EditorValues MainWindow::editorValues() const {
    image::EditorValues values;
    values.Form1 = Form1->channelValues();
    values.Form2 = valuesOf(*Form2);
    values.Form3 = Form3->values();
    values.Form4 = Form4->values();
    values.Form5 = valuesOf(*Form5);
    if (Combo1->currentIndex() >= 0)
        values.band = Combo1->currentIndex();
    return values;
}

void MainWindow::showEditorValues(const image::EditorValues& values) {
    // The band first: the other windows check against its limits.
    if (values.band)
        m_bandSelection->selectBandCode(*values.band);
    Form1->setChannels(values.Form1);
    showDecoded(*Form2, values.Form2);
    Form3->showDecoded(values.Form3);
    Form4->showDecoded(values.Form4);
    showDecoded(*Form5, values.Form5);
}

void MainWindow::EncodeImage() {
    Form1->Text1_LostFocus();
    Form3->commitPendingEntry();
    image::encodeImage(editorValues(), TransmitImage);
}

} // namespace shell
