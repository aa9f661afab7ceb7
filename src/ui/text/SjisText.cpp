#include "ui/text/SjisText.h"

#include "conv/DisplayText.h"

namespace pexa {

QString SjisToUnicode(std::string_view bytes) {
    return QString::fromUtf8(SjisToUtf8(bytes));
}

QString ConvTextToUnicode(std::string_view bytes, TextCharset charset) {
    return charset == TextCharset::Utf8 ? QString::fromUtf8(bytes) : SjisToUnicode(bytes);
}

QString WithBidiControlsShown(QString text) {
    for (QChar& ch : text) {
        if (IsBidiControl(ch.unicode()))
            ch = QLatin1Char('_');
    }
    return text;
}

std::optional<std::string> UnicodeToSjis(char32_t ch) {
    return Utf32ToSjis(ch);
}

} // namespace pexa
