#include "conv/DisplayText.h"

#include <cerrno>
#include <iconv.h>

namespace pexa {

namespace {

constexpr const char* DisplayCodePage = "CP932";

// One descriptor per direction, opened on first use and kept for the run.
class IconvHandle {
public:
    IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~IconvHandle() {
        if (IsOpen())
            iconv_close(handle_);
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
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

// A well-formed pair that does not convert is one character: one "_", not an
// underscore followed by its trail byte read on its own.
std::size_t UnconvertibleLength(std::string_view bytes) {
    if (bytes.size() >= 2 && IsLeadByte(static_cast<unsigned char>(bytes[0])) &&
        IsTrailByte(static_cast<unsigned char>(bytes[1])))
        return 2;
    return 1;
}

// Converts as much of in as iconv takes in one run, appending to out; false
// when it stopped at a byte sequence it cannot convert.
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
        if (rc != static_cast<std::size_t>(-1))
            return true;
        if (error != E2BIG)
            return false;
    }
    return true;
}

std::string AsciiOnly(std::string_view bytes) {
    std::string text(bytes);
    for (char& c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            c = '_';
    }
    return text;
}

// The length of the well-formed UTF-8 sequence at the front, 0 when there is
// none (an overlong form, a surrogate, beyond U+10FFFF, cut short).
std::size_t Utf8SequenceLength(std::string_view s) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char b0 = byte(0);
    if (b0 < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        low = b0 == 0xE0 ? 0xA0 : 0x80;
        high = b0 == 0xED ? 0x9F : 0xBF;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        low = b0 == 0xF0 ? 0x90 : 0x80;
        high = b0 == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (s.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

char32_t DecodeUtf8(std::string_view sequence) {
    const auto byte = [&](std::size_t i) {
        return static_cast<char32_t>(static_cast<unsigned char>(sequence[i]));
    };
    switch (sequence.size()) {
    case 1:
        return byte(0);
    case 2:
        return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
    case 3:
        return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
    default:
        return ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) |
               (byte(3) & 0x3F);
    }
}

std::string ShownUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        const std::size_t length = Utf8SequenceLength(bytes);
        if (length == 0 || IsBidiControl(DecodeUtf8(bytes.substr(0, length)))) {
            text.push_back('_');
            bytes.remove_prefix(length == 0 ? 1 : length);
            continue;
        }
        text.append(bytes.substr(0, length));
        bytes.remove_prefix(length);
    }
    return text;
}

std::string Utf8Of(char32_t ch) {
    std::string out;
    if (ch < 0x80) {
        out.push_back(static_cast<char>(ch));
    } else if (ch < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else if (ch < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (ch >> 18)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    }
    return out;
}

} // namespace

std::string SjisToUtf8(std::string_view bytes) {
    if (IsPlainAscii(bytes))
        return std::string(bytes);
    const IconvHandle& decoder = Decoder();
    if (!decoder.IsOpen())
        return AsciiOnly(bytes);
    std::string utf8;
    utf8.reserve(bytes.size() * 3);
    while (!bytes.empty()) {
        decoder.Reset();
        if (!DecodeRun(decoder, bytes, utf8) && !bytes.empty()) {
            utf8.push_back('_');
            bytes.remove_prefix(UnconvertibleLength(bytes));
        }
    }
    return utf8;
}

std::string ConvTextToUtf8(std::string_view bytes, TextCharset charset) {
    if (charset == TextCharset::Utf8)
        return ShownUtf8(bytes);
    return ShownUtf8(SjisToUtf8(bytes));
}

std::optional<std::string> Utf32ToSjis(char32_t ch) {
    if (ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF))
        return std::nullopt;
    return Utf8ToSjis(Utf8Of(ch));
}

std::optional<std::string> Utf8ToSjis(std::string_view utf8) {
    if (IsPlainAscii(utf8))
        return std::string(utf8);
    const IconvHandle& encoder = Encoder();
    if (!encoder.IsOpen())
        return std::nullopt;
    encoder.Reset();
    std::string out;
    char buffer[256];
    char* src = const_cast<char*>(utf8.data());
    std::size_t srcLeft = utf8.size();
    while (srcLeft > 0) {
        char* dst = buffer;
        std::size_t dstLeft = sizeof buffer;
        const std::size_t rc = iconv(encoder.Get(), &src, &srcLeft, &dst, &dstLeft);
        const int error = errno;
        out.append(buffer, static_cast<std::size_t>(dst - buffer));
        if (rc == static_cast<std::size_t>(-1) && error != E2BIG)
            return std::nullopt;
    }
    return out;
}

} // namespace pexa
