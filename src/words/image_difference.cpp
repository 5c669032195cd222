#include "words/image_difference.h"

#include "words/chinese_window_texts.h"
#include "words/editor_texts.h"
#include "words/language_text.h"
#include "words/main_window_texts.h"

namespace shell {

namespace {

using enum ui::TextTarget;

QString fromUtf8(const std::string& text) {
    return QString::fromStdString(text);
}

std::string plain(const QString& caption) {
    return ui::plainCaption(caption).toStdString();
}

// The places as the windows caption themselves in `language`.
settings::PlaceNames placeNames(int language) {
    const auto features = [&](const char* control) {
        return ui::plainCaption(ui::languageText(editors::OptionalFeaturesTexts, "Form3", control,
                                                 Caption, 0, language));
    };
    const auto inFeatures = [&](const char* frame) {
        return (features("") + " / " + features(frame)).toStdString();
    };
    return {
        plain(ui::languageText(MainWindowTexts, "MDIForm1", "Label1", Caption, 0, language)),
        inFeatures("Frame2"),
        inFeatures("Frame1"),
        inFeatures("Frame3"),
        plain(QString::fromUtf8(editors::dtmf::Title)),
        plain(QString::fromUtf8(editors::fm::MenuCaption)),
        plain(ui::languageText(editors::PowerLevelsTexts, "Form4", "", Caption, 0, language)),
        editors::fm::NumberColumnTitle,
    };
}

} // namespace

QList<Change> imageDifference(const image::MemoryImage& before, const image::MemoryImage& after,
                              int language, std::span<const image::ByteRange> compared) {
    QList<Change> changes;
    for (const settings::Change& change :
         settings::imageDifference(before, after, language, placeNames(language), compared))
        changes.append({fromUtf8(change.place), fromUtf8(change.setting), fromUtf8(change.before),
                        fromUtf8(change.after)});
    return changes;
}

QString changeLine(const Change& change) {
    return fromUtf8(
        settings::changeLine({change.place.toStdString(), change.setting.toStdString(),
                              change.before.toStdString(), change.after.toStdString()}));
}

} // namespace shell
