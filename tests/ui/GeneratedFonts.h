#pragma once

// Tiny TrueType fonts made by the test itself, so that a rule about fonts is
// checked with fonts the test knows, whatever the machine has installed.
// Each font maps the printable ASCII characters to a filled box as wide as
// the character's advance; the advances, the claims a font makes about itself
// (fixed pitch, italic, bold) and its names are the test's choice.

#include <QByteArray>
#include <QFontDatabase>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace generated_fonts {

struct FontFace {
    QString Family;
    QString Style = QStringLiteral("Regular");
    bool Bold = false;
    bool Italic = false;
    // What the font's tables say about its pitch (post.isFixedPitch and the
    // PANOSE proportion), whatever its advances are.
    bool ClaimsFixedPitch = false;
    // The advance of a character, in units of 1/1000 em.
    std::function<int(char16_t)> Advance = [](char16_t) { return 600; };
    // Characters beyond ASCII that the font also draws (their advances come
    // from Advance too): a monospaced font's combining marks or wide dashes.
    std::u16string Extra;
};

namespace detail {

constexpr char16_t kFirstChar = 0x20;
constexpr char16_t kLastChar = 0x7E;
constexpr int kAsciiGlyphs = kLastChar - kFirstChar + 1;
constexpr int kUnitsPerEm = 1000;
constexpr int kAscent = 800;
constexpr int kDescent = 200;
constexpr int kBoxTop = 700;
constexpr int kBoxInset = 50;

class Bytes {
public:
    void U8(int v) { data_.append(static_cast<char>(v & 0xFF)); }
    void U16(int v) {
        U8(v >> 8);
        U8(v);
    }
    void U32(std::uint32_t v) {
        U16(static_cast<int>(v >> 16));
        U16(static_cast<int>(v & 0xFFFF));
    }
    void Zeros(int count) {
        for (int i = 0; i < count; ++i)
            U8(0);
    }
    void Append(const QByteArray& bytes) { data_.append(bytes); }
    void PadTo4() {
        while (data_.size() % 4 != 0)
            U8(0);
    }
    int Size() const { return static_cast<int>(data_.size()); }
    const QByteArray& Data() const { return data_; }

private:
    QByteArray data_;
};

inline std::uint32_t Checksum(QByteArray table) {
    while (table.size() % 4 != 0)
        table.append('\0');
    std::uint32_t sum = 0;
    for (qsizetype i = 0; i < table.size(); i += 4) {
        sum += (static_cast<std::uint32_t>(static_cast<unsigned char>(table[i])) << 24) |
               (static_cast<std::uint32_t>(static_cast<unsigned char>(table[i + 1])) << 16) |
               (static_cast<std::uint32_t>(static_cast<unsigned char>(table[i + 2])) << 8) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(table[i + 3]));
    }
    return sum;
}

// .notdef, the ASCII characters, then the extra ones.
inline int GlyphCount(const FontFace& face) {
    return 1 + kAsciiGlyphs + static_cast<int>(face.Extra.size());
}

inline char16_t CharacterOfGlyph(const FontFace& face, int glyph) {
    return glyph <= kAsciiGlyphs ? static_cast<char16_t>(kFirstChar + glyph - 1)
                                 : face.Extra[static_cast<std::size_t>(glyph - 1 - kAsciiGlyphs)];
}

inline int AdvanceOfGlyph(const FontFace& face, int glyph) {
    return glyph == 0 ? 500 : face.Advance(CharacterOfGlyph(face, glyph));
}

inline int MaxAdvance(const FontFace& face) {
    int widest = 0;
    for (int glyph = 0; glyph < GlyphCount(face); ++glyph)
        widest = std::max(widest, AdvanceOfGlyph(face, glyph));
    return widest;
}

inline QByteArray Head(const FontFace& face) {
    Bytes b;
    b.U32(0x00010000);
    b.U32(0x00010000);
    b.U32(0); // checkSumAdjustment: nothing reads it
    b.U32(0x5F0F3CF5);
    b.U16(0x000B);
    b.U16(kUnitsPerEm);
    b.Zeros(16); // created, modified
    b.U16(0);
    b.U16(0);
    b.U16(MaxAdvance(face));
    b.U16(kBoxTop);
    b.U16((face.Bold ? 1 : 0) | (face.Italic ? 2 : 0));
    b.U16(8);
    b.U16(2);
    b.U16(0); // short loca offsets
    b.U16(0);
    return b.Data();
}

inline QByteArray Hhea(const FontFace& face) {
    Bytes b;
    b.U32(0x00010000);
    b.U16(kAscent);
    b.U16(-kDescent);
    b.U16(0);
    b.U16(MaxAdvance(face));
    b.U16(kBoxInset);
    b.U16(kBoxInset);
    b.U16(MaxAdvance(face) - kBoxInset);
    b.U16(1);
    b.U16(0);
    b.U16(0);
    b.Zeros(8);
    b.U16(0);
    b.U16(GlyphCount(face));
    return b.Data();
}

inline QByteArray Maxp(const FontFace& face) {
    Bytes b;
    b.U32(0x00010000);
    b.U16(GlyphCount(face));
    b.U16(4); // points
    b.U16(1); // contours
    b.Zeros(4);
    b.U16(2); // zones
    b.Zeros(18);
    return b.Data();
}

inline QByteArray Os2(const FontFace& face) {
    Bytes b;
    b.U16(4);
    b.U16(MaxAdvance(face));
    b.U16(face.Bold ? 700 : 400);
    b.U16(5);
    b.U16(0);
    b.Zeros(16); // sub- and superscript
    b.U16(50);
    b.U16(300);
    b.U16(0);
    // PANOSE: Latin text, proportion 9 (monospaced) when the font claims it.
    const int panose[10] = {2, 0, face.Bold ? 8 : 5, face.ClaimsFixedPitch ? 9 : 3, 0, 0, 0, 0,
                            0, 0};
    for (int value : panose)
        b.U8(value);
    b.U32(1); // Basic Latin
    b.Zeros(12);
    b.Append("PEXA");
    b.U16((face.Italic ? 0x01 : 0) | (face.Bold ? 0x20 : 0) |
          (!face.Italic && !face.Bold ? 0x40 : 0));
    b.U16(kFirstChar);
    b.U16(kLastChar);
    b.U16(kAscent);
    b.U16(-kDescent);
    b.U16(0);
    b.U16(kAscent);
    b.U16(kDescent);
    b.U32(1); // Latin 1
    b.U32(0);
    b.U16(500);
    b.U16(kBoxTop);
    b.U16(0);
    b.U16(0x20);
    b.U16(1);
    return b.Data();
}

inline QByteArray Hmtx(const FontFace& face) {
    Bytes b;
    for (int glyph = 0; glyph < GlyphCount(face); ++glyph) {
        b.U16(AdvanceOfGlyph(face, glyph));
        b.U16(kBoxInset);
    }
    return b.Data();
}

// Format 4: one segment for the ASCII characters, one for each extra
// character (in code order, as the format wants), then the end mark.
inline QByteArray Cmap(const FontFace& face) {
    struct Segment {
        int First;
        int Last;
        int Delta;
    };
    std::vector<Segment> segments = {{kFirstChar, kLastChar, 1 - kFirstChar}};
    for (std::size_t i = 0; i < face.Extra.size(); ++i) {
        const int c = face.Extra[i];
        segments.push_back({c, c, 1 + kAsciiGlyphs + static_cast<int>(i) - c});
    }
    std::sort(segments.begin(), segments.end(),
              [](const Segment& a, const Segment& b) { return a.First < b.First; });
    segments.push_back({0xFFFF, 0xFFFF, 1});
    const int count = static_cast<int>(segments.size());
    int power = 1;
    int log2 = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log2;
    }
    Bytes b;
    b.U16(0);
    b.U16(1);
    b.U16(3); // Windows, Unicode BMP
    b.U16(1);
    b.U32(12);
    b.U16(4);
    b.U16(16 + 8 * count);
    b.U16(0);
    b.U16(2 * count);
    b.U16(2 * power);
    b.U16(log2);
    b.U16(2 * count - 2 * power);
    for (const Segment& segment : segments)
        b.U16(segment.Last);
    b.U16(0);
    for (const Segment& segment : segments)
        b.U16(segment.First);
    for (const Segment& segment : segments)
        b.U16(segment.Delta);
    for (int i = 0; i < count; ++i)
        b.U16(0);
    return b.Data();
}

// A box from the inset to the advance less the inset, drawn clockwise.
inline QByteArray Glyph(int advance) {
    const int width = std::max(advance - 2 * kBoxInset, 1);
    Bytes b;
    b.U16(1);
    b.U16(kBoxInset);
    b.U16(0);
    b.U16(kBoxInset + width);
    b.U16(kBoxTop);
    b.U16(3);
    b.U16(0);
    for (int i = 0; i < 4; ++i)
        b.U8(0x01);
    const int xs[4] = {kBoxInset, 0, width, 0};
    const int ys[4] = {0, kBoxTop, 0, -kBoxTop};
    for (int x : xs)
        b.U16(x);
    for (int y : ys)
        b.U16(y);
    return b.Data();
}

inline void GlyfAndLoca(const FontFace& face, QByteArray& glyf, QByteArray& loca) {
    Bytes glyphs;
    Bytes offsets;
    for (int glyph = 0; glyph < GlyphCount(face); ++glyph) {
        offsets.U16(glyphs.Size() / 2);
        glyphs.Append(Glyph(AdvanceOfGlyph(face, glyph)));
    }
    offsets.U16(glyphs.Size() / 2);
    glyf = glyphs.Data();
    loca = offsets.Data();
}

inline QByteArray Name(const FontFace& face) {
    QString postScript = face.Family + QLatin1Char('-') + face.Style;
    postScript.remove(QLatin1Char(' '));
    const QStringList texts = {face.Family, face.Style, postScript,
                               face.Family + QLatin1Char(' ') + face.Style, postScript};
    const int ids[] = {1, 2, 3, 4, 6};
    Bytes records;
    Bytes strings;
    for (int i = 0; i < texts.size(); ++i) {
        const QString& text = texts[i];
        records.U16(3);
        records.U16(1);
        records.U16(0x409);
        records.U16(ids[i]);
        records.U16(static_cast<int>(text.size() * 2));
        records.U16(strings.Size());
        for (QChar c : text)
            strings.U16(c.unicode());
    }
    Bytes b;
    b.U16(0);
    b.U16(static_cast<int>(texts.size()));
    b.U16(6 + records.Size());
    b.Append(records.Data());
    b.Append(strings.Data());
    return b.Data();
}

inline QByteArray Post(const FontFace& face) {
    Bytes b;
    b.U32(0x00030000);
    b.U32(face.Italic ? static_cast<std::uint32_t>(-12 * 65536) : 0);
    b.U16(-100);
    b.U16(50);
    b.U32(face.ClaimsFixedPitch ? 1 : 0);
    b.Zeros(16);
    return b.Data();
}

} // namespace detail

// The font file of a face.
inline QByteArray FontFile(const FontFace& face) {
    using namespace detail;
    std::map<std::string, QByteArray> tables; // sorted by tag, as the directory must be
    tables["head"] = Head(face);
    tables["hhea"] = Hhea(face);
    tables["maxp"] = Maxp(face);
    tables["OS/2"] = Os2(face);
    tables["hmtx"] = Hmtx(face);
    tables["cmap"] = Cmap(face);
    GlyfAndLoca(face, tables["glyf"], tables["loca"]);
    tables["name"] = Name(face);
    tables["post"] = Post(face);

    const int count = static_cast<int>(tables.size());
    int power = 1;
    int log2 = 0;
    while (power * 2 <= count) {
        power *= 2;
        ++log2;
    }
    Bytes file;
    file.U32(0x00010000);
    file.U16(count);
    file.U16(power * 16);
    file.U16(log2);
    file.U16(count * 16 - power * 16);
    int offset = 12 + 16 * count;
    for (const auto& [tag, table] : tables) {
        file.Append(QByteArray::fromStdString(tag));
        file.U32(Checksum(table));
        file.U32(static_cast<std::uint32_t>(offset));
        file.U32(static_cast<std::uint32_t>(table.size()));
        offset += static_cast<int>((table.size() + 3) / 4 * 4);
    }
    for (const auto& entry : tables) {
        file.Append(entry.second);
        file.PadTo4();
    }
    return file.Data();
}

// Makes a face available to the application; false when Qt refuses it.
inline bool AddToApplication(const FontFace& face) {
    return QFontDatabase::addApplicationFontFromData(FontFile(face)) >= 0;
}

} // namespace generated_fonts
