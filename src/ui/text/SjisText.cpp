#include "ui/text/SjisText.h"

#include "conv/DisplayText.h"

#include <algorithm>

namespace pexa {

QString SjisToUnicode(std::string_view bytes) {
    // Most texts the bars show are plain ASCII, which the code page leaves as it is.
    if (std::all_of(bytes.begin(), bytes.end(), [](char byte) { return byte >= 0; }))
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return QString::fromUtf8(SjisToUtf8(bytes));
}

QString ConvTextToUnicode(std::string_view bytes, TextCharset charset) {
    return charset == TextCharset::Utf8 ? QString::fromUtf8(bytes) : SjisToUnicode(bytes);
}

QString WithBidiControlsShown(QString text) {
    // Writing to the text would copy it; most texts have nothing to replace.
    const auto isControl = [](QChar ch) { return IsBidiControl(ch.unicode()); };
    if (std::none_of(text.cbegin(), text.cend(), isControl))
        return text;
    std::replace_if(text.begin(), text.end(), isControl, QLatin1Char('_'));
    return text;
}

std::optional<std::string> UnicodeToSjis(char32_t ch) {
    return Utf32ToSjis(ch);
}

} // namespace pexa
