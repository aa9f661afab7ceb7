#include "ui/text/SjisText.h"

#include <cerrno>
#include <iconv.h>

namespace pexa {

namespace {

constexpr const char* DisplayCodePage = "CP932";

// One conversion descriptor per direction, opened on first use and kept: the
// bars decode their text on every repaint. Only the ui thread uses them.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (IsOpen()) {
            iconv_close(handle_);
        }
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    bool IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t Get() const { return handle_; }
    void Reset() const { iconv(handle_, nullptr, nullptr, nullptr, nullptr); }

private:
    iconv_t handle_;
};

const IconvHandle& Decoder() {
    thread_local const IconvHandle handle("UTF-8", DisplayCodePage);
    return handle;
}

const IconvHandle& Encoder() {
    thread_local const IconvHandle handle(DisplayCodePage, "UTF-8");
    return handle;
}

bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsTrailByte(unsigned char b) {
    return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC);
}

bool IsPlainAscii(std::string_view bytes) {
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            return false;
        }
    }
    return true;
}

// How many bytes the character at the front of bytes occupies when it cannot
// be converted: a well-formed pair counts as one character, so it becomes one
// "_" instead of an underscore followed by its trail byte read on its own.
std::size_t UnconvertibleLength(std::string_view bytes) {
    if (bytes.size() >= 2 && IsLeadByte(static_cast<unsigned char>(bytes[0])) &&
        IsTrailByte(static_cast<unsigned char>(bytes[1]))) {
        return 2;
    }
    return 1;
}

// Converts as much of in as iconv takes in one run, appending to out; returns
// false when it stopped at a byte sequence it cannot convert.
bool DecodeRun(const IconvHandle& decoder, std::string_view& in, std::string& out) {
    char buffer[256];
    while (!in.empty()) {
        char* src = const_cast<char*>(in.data());
        std::size_t srcLeft = in.size();
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t rc = iconv(decoder.Get(), &src, &srcLeft, &dst, &dstLeft);
        const int error = errno;
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        in.remove_prefix(in.size() - srcLeft);
        if (rc != static_cast<std::size_t>(-1)) {
            return true;
        }
        if (error != E2BIG) {
            return false;
        }
    }
    return true;
}

QString DecodeWithoutIconv(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        text.append(b < 0x80 ? QChar(b) : QChar(u'_'));
    }
    return text;
}

} // namespace

QString SjisToUnicode(std::string_view bytes) {
    if (IsPlainAscii(bytes)) {
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    const IconvHandle& decoder = Decoder();
    if (!decoder.IsOpen()) {
        return DecodeWithoutIconv(bytes);
    }
    std::string utf8;
    utf8.reserve(bytes.size() * 3);
    while (!bytes.empty()) {
        decoder.Reset();
        if (!DecodeRun(decoder, bytes, utf8) && !bytes.empty()) {
            utf8.push_back('_');
            bytes.remove_prefix(UnconvertibleLength(bytes));
        }
    }
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QString ConvTextToUnicode(std::string_view bytes, TextCharset charset) {
    if (charset == TextCharset::Utf8) {
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    }
    return SjisToUnicode(bytes);
}

QString WithBidiControlsShown(QString text) {
    for (QChar& ch : text) {
        const char16_t unit = ch.unicode();
        const bool isBidiControl = unit == 0x200E || unit == 0x200F || unit == 0x061C ||
                                   (unit >= 0x202A && unit <= 0x202E) ||
                                   (unit >= 0x2066 && unit <= 0x2069);
        if (isBidiControl)
            ch = QLatin1Char('_');
    }
    return text;
}

std::optional<std::string> UnicodeToSjis(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    if (IsPlainAscii(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())))) {
        return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    }
    const IconvHandle& encoder = Encoder();
    if (!encoder.IsOpen()) {
        return std::nullopt;
    }
    encoder.Reset();
    std::string out;
    char buffer[256];
    char* src = const_cast<char*>(utf8.constData());
    std::size_t srcLeft = static_cast<std::size_t>(utf8.size());
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t rc = iconv(encoder.Get(), &src, &srcLeft, &dst, &dstLeft);
        const int error = errno;
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (rc == static_cast<std::size_t>(-1) && error != E2BIG) {
            return std::nullopt;
        }
    }
    return out;
}

std::optional<std::string> UnicodeToSjis(char32_t ch) {
    if (ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
        return std::nullopt;
    }
    return UnicodeToSjis(QString::fromUcs4(&ch, 1));
}

} // namespace pexa
