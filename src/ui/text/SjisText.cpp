#include "ui/text/SjisText.h"

#include "conv/DisplayText.h"

namespace pexa {

namespace {

QString FromUtf8(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace

QString SjisToUnicode(std::string_view bytes) {
    return FromUtf8(SjisToUtf8(bytes));
}

QString ConvTextToUnicode(std::string_view bytes, TextCharset charset) {
    if (charset == TextCharset::Utf8) {
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    return SjisToUnicode(bytes);
}

QString WithBidiControlsShown(QString text) {
    for (QChar& ch : text) {
        if (IsBidiControl(ch.unicode()))
            ch = QLatin1Char('_');
    }
    return text;
}

std::optional<std::string> UnicodeToSjis(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToSjis(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

std::optional<std::string> UnicodeToSjis(char32_t ch) {
    return Utf32ToSjis(ch);
}

} // namespace pexa
