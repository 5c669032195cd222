#include "words/tone_texts.h"

#include "image/tone_codes.h"

namespace editors {

QStringList toneTexts() {
    QStringList texts;
    texts.reserve(image::ToneCount);
    for (const std::string& tone : image::FillToneTable())
        texts << QString::fromStdString(tone);
    return texts;
}

} // namespace editors
