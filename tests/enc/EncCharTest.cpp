#include "enc/EncChar.h"

#include "EncTestSupport.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <optional>
#include <set>
#include <string>

namespace pexa {
namespace {

using M = CalcValueMode;
using E = CharEncoding;

using test::Iconv;

std::string Bytes(std::initializer_list<unsigned> bytes) {
    std::string s;
    for (const unsigned b : bytes) {
        s += static_cast<char>(b);
    }
    return s;
}

TEST(EncChar, SjisPairAndKanaBoundaries) {
    struct Case {
        unsigned lead, trail;
        bool pair;
    };
    const Case cases[] = {
        {0x81, 0x40, true},  {0x9F, 0xFC, true},  {0xE0, 0x40, true},  {0xFC, 0xFC, true},
        {0x88, 0x7E, true},  {0x88, 0x80, true},  {0x80, 0x40, false}, {0xA0, 0x40, false},
        {0xDF, 0x80, false}, {0xFD, 0x40, false}, {0x88, 0x3F, false}, {0x88, 0x7F, false},
        {0x88, 0xFD, false}, {0x41, 0x41, false}, {0x00, 0x00, false}, {0xFF, 0xFF, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsSjisPair(static_cast<std::uint8_t>(c.lead), static_cast<std::uint8_t>(c.trail)),
                  c.pair)
            << std::hex << c.lead << ' ' << c.trail;
    }
    EXPECT_FALSE(IsHalfWidthKana(0xA0));
    EXPECT_TRUE(IsHalfWidthKana(0xA1));
    EXPECT_TRUE(IsHalfWidthKana(0xDF));
    EXPECT_FALSE(IsHalfWidthKana(0xE0));
    EXPECT_FALSE(IsHalfWidthKana(0x41));
}

TEST(EncChar, EncodingNames) {
    EXPECT_EQ(CharEncodingName(E::Ascii), "ASCII");
    EXPECT_EQ(CharEncodingName(E::ShiftJis), "SJIS");
    EXPECT_EQ(CharEncodingName(E::Euc), "EUC");
    EXPECT_EQ(CharEncodingName(E::Jis), "JIS");
    EXPECT_EQ(CharEncodingName(E::Utf8), "UTF-8");
    EXPECT_EQ(CharEncodingName(E::Utf16), "UTF-16");
    EXPECT_EQ(CharEncodingName(E::CodePoint), "U+");
    EXPECT_EQ(CharEncodingName(static_cast<E>(7)), "");
    EXPECT_EQ(CharEncodingName(static_cast<E>(255)), "");
}

// The textbook Shift JIS to JIS X 0208 rule, written the other way round from the code under
// test, so that a slip in either direction shows.
std::pair<unsigned, unsigned> TextbookSjisToJis(unsigned s1, unsigned s2) {
    unsigned row = (s1 <= 0x9F ? s1 - 0x81 : s1 - 0xC1) * 2 + 0x21;
    unsigned cell;
    if (s2 >= 0x9F) {
        ++row;
        cell = s2 - 0x7E;
    } else {
        cell = s2 - (s2 >= 0x80 ? 0x20 : 0x1F);
    }
    return {row, cell};
}

TEST(EncChar, JisToSjisIsTheStandardBijectionOnAllRowCellPairs) {
    std::set<unsigned> seen;
    for (unsigned j1 = 0x21; j1 <= 0x7E; ++j1) {
        for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
            auto lead = static_cast<std::uint8_t>(j1);
            auto trail = static_cast<std::uint8_t>(j2);
            ASSERT_TRUE(JisToSjis(lead, trail)) << std::hex << j1 << ' ' << j2;
            ASSERT_TRUE(IsSjisPair(lead, trail));
            ASSERT_FALSE(IsHalfWidthKana(lead));
            ASSERT_EQ(TextbookSjisToJis(lead, trail), std::make_pair(j1, j2));
            seen.insert(lead * 256u + trail);
        }
    }
    EXPECT_EQ(seen.size(), 94u * 94u);
    EXPECT_EQ(*seen.begin(), 0x8140u);
    EXPECT_EQ(*seen.rbegin(), 0xEFFCu);
}

// The program's way back, over every byte pair: exactly the images of the
// JIS pairs convert, to the textbook's JIS (and EUC) pair; the rest are
// refused unchanged.
TEST(EncChar, SjisToJisAndEucInvertEveryPairAndRefuseTheRest) {
    int converted = 0;
    for (unsigned a = 0; a < 256; ++a) {
        for (unsigned b = 0; b < 256; ++b) {
            auto lead = static_cast<std::uint8_t>(a);
            auto trail = static_cast<std::uint8_t>(b);
            auto eucLead = lead;
            auto eucTrail = trail;
            const bool isJis = SjisToJis(lead, trail);
            ASSERT_EQ(SjisToEuc(eucLead, eucTrail), isJis) << std::hex << a << ' ' << b;
            if (!isJis) {
                ASSERT_EQ(lead, a);
                ASSERT_EQ(trail, b);
                continue;
            }
            ++converted;
            ASSERT_EQ(std::make_pair(unsigned{lead}, unsigned{trail}), TextbookSjisToJis(a, b))
                << std::hex << a << ' ' << b;
            ASSERT_EQ(eucLead, lead | 0x80);
            ASSERT_EQ(eucTrail, trail | 0x80);
        }
    }
    EXPECT_EQ(converted, 94 * 94);
}

TEST(EncChar, PairsOutsideTheirRangesAreRefusedUnchanged) {
    for (unsigned a = 0; a < 256; ++a) {
        for (unsigned b = 0; b < 256; ++b) {
            const bool jis = a >= 0x21 && a <= 0x7E && b >= 0x21 && b <= 0x7E;
            if (!jis) {
                auto lead = static_cast<std::uint8_t>(a);
                auto trail = static_cast<std::uint8_t>(b);
                ASSERT_FALSE(JisToSjis(lead, trail));
                ASSERT_EQ(lead, a);
                ASSERT_EQ(trail, b);
            }
            if ((a & 0x80) == 0 || (b & 0x80) == 0) {
                auto lead = static_cast<std::uint8_t>(a);
                auto trail = static_cast<std::uint8_t>(b);
                ASSERT_FALSE(EucToSjis(lead, trail));
                ASSERT_EQ(lead, a);
                ASSERT_EQ(trail, b);
            }
        }
    }
    // Both high bits set but 0xFF is no EUC byte: refused.
    std::uint8_t lead = 0xFF;
    std::uint8_t trail = 0xA1;
    EXPECT_FALSE(EucToSjis(lead, trail));
    lead = 0xA1;
    trail = 0xA0;
    EXPECT_FALSE(EucToSjis(lead, trail));
}

// The user-defined rows of EUC-JP-MS go to the Private Use Area, which CP932 keeps in lead
// bytes beyond the JIS rows; they are no JIS X 0208 characters.
bool IsPrivateUse(const std::string& utf8) {
    if (utf8.size() != 3) {
        return false;
    }
    const unsigned codePoint = (static_cast<unsigned char>(utf8[0]) & 0x0Fu) << 12 |
                               (static_cast<unsigned char>(utf8[1]) & 0x3Fu) << 6 |
                               (static_cast<unsigned char>(utf8[2]) & 0x3Fu);
    return codePoint >= 0xE000 && codePoint <= 0xF8FF;
}

// Every JIS X 0208 row/cell pair, given to the bar as JIS and as EUC, must show the Shift JIS
// bytes that glibc's converters give, wherever glibc has the character.
TEST(EncChar, JisAndEucAgreeWithIconvOnEveryRowCellPair) {
    Iconv fromEuc("SHIFT_JIS", "EUC-JP");
    Iconv fromIso2022("SHIFT_JIS", "ISO-2022-JP");
    // CP932 maps some characters to two codes, so the Microsoft tables are compared as Unicode.
    Iconv eucMsToUtf8("UTF-8", "EUC-JP-MS");
    Iconv cp932ToUtf8("UTF-8", "CP932");
    ASSERT_TRUE(fromEuc.Ok() && fromIso2022.Ok() && eucMsToUtf8.Ok() && cp932ToUtf8.Ok());

    int assignedEuc = 0;
    int assignedIso = 0;
    int assignedMs = 0;
    for (unsigned j1 = 0x21; j1 <= 0x7E; ++j1) {
        for (unsigned j2 = 0x21; j2 <= 0x7E; ++j2) {
            const std::int64_t jisCode = static_cast<std::int64_t>(j1 * 256 + j2);
            const std::int64_t eucCode = jisCode | 0x8080;
            const std::string jisText = CharCodeText(E::Jis, M::Word, jisCode);
            const std::string eucText = CharCodeText(E::Euc, M::DWord, eucCode);
            ASSERT_EQ(jisText.size(), 2u);
            ASSERT_EQ(eucText, jisText);

            auto lead = static_cast<std::uint8_t>(j1 | 0x80);
            auto trail = static_cast<std::uint8_t>(j2 | 0x80);
            ASSERT_TRUE(EucToSjis(lead, trail));
            ASSERT_EQ(Bytes({lead, trail}), jisText);

            const std::string euc = Bytes({j1 | 0x80, j2 | 0x80});
            if (const auto sjis = fromEuc.Convert(euc)) {
                ++assignedEuc;
                ASSERT_EQ(*sjis, jisText) << std::hex << j1 << ' ' << j2;
            }
            if (const auto sjis = fromIso2022.Convert("\x1b$B" + Bytes({j1, j2}) + "\x1b(B")) {
                ++assignedIso;
                ASSERT_EQ(*sjis, jisText) << std::hex << j1 << ' ' << j2;
            }
            const auto unicode = eucMsToUtf8.Convert(euc);
            if (unicode && !IsPrivateUse(*unicode)) {
                ++assignedMs;
                ASSERT_EQ(cp932ToUtf8.Convert(jisText), unicode) << std::hex << j1 << ' ' << j2;
            }
        }
    }
    // JIS X 0208 assigns 6879 characters; the Microsoft tables add the NEC row 13 and the
    // IBM extensions in rows 89 to 92.
    EXPECT_GE(assignedEuc, 6879);
    EXPECT_GE(assignedIso, 6879);
    EXPECT_GT(assignedMs, assignedEuc);
}

struct TextCase {
    E encoding;
    M mode;
    std::int64_t bits;
    std::string text;
};

TEST(EncChar, CharCodeTextCases) {
    const TextCase cases[] = {
        {E::Ascii, M::DWord, 0x41, "A"},
        {E::Ascii, M::DWord, 0x4142, "AB"},
        {E::Ascii, M::DWord, 0x410042, "A_B"}, // inner zero bytes take part
        {E::Ascii, M::DWord, 0x41424344, "ABCD"},
        {E::Ascii, M::Byte, 0x4142, "B"},
        {E::Ascii, M::Word, 0x414243, "BC"},
        {E::Ascii, M::QWord, 0x4142434445464748, "ABCDEFGH"},
        {E::Ascii, M::Float, 0x4142434445464748, "ABCDEFGH"},
        {E::Ascii, M::QWord, -1, "________"},
        {E::Ascii, M::QWord, INT64_MIN, "________"},
        {E::Ascii, M::DWord, 0x207E7F1F, " ~__"},
        {E::Ascii, M::DWord, 0xB1, "_"},
        {E::ShiftJis, M::DWord, 0xB1, Bytes({0xB1})},
        {E::ShiftJis, M::DWord, 0x889F, Bytes({0x88, 0x9F})},
        {E::ShiftJis, M::DWord, 0x8841, Bytes({0x88, 0x41})},
        {E::ShiftJis, M::DWord, 0x88, "_"},
        {E::ShiftJis, M::DWord, 0x8820, "_ "},
        {E::ShiftJis, M::DWord, 0x88889F, Bytes({0x88, 0x88}) + "_"},
        {E::ShiftJis, M::DWord, 0xB1889F41, Bytes({0xB1, 0x88, 0x9F, 0x41})},
        {E::ShiftJis, M::DWord, 0x41889F, "A" + Bytes({0x88, 0x9F})},
        {E::ShiftJis, M::Byte, 0x889F, "_"}, // the lead byte is outside the width
        {E::ShiftJis, M::DWord, 0x8800, "__"},
        {E::Euc, M::DWord, 0xB0A1, Bytes({0x88, 0x9F})},
        {E::Euc, M::DWord, 0xB0, "_"},
        {E::Euc, M::DWord, 0xB021, "_!"},
        {E::Euc, M::DWord, 0x41B0A1, "A" + Bytes({0x88, 0x9F})},
        {E::Euc, M::DWord, 0xFFA1, "__"},
        {E::Euc, M::DWord, 0xB0B0A1, Bytes({0x88, 0xAE}) + "_"},
        {E::Jis, M::DWord, 0x3021, Bytes({0x88, 0x9F})},
        {E::Jis, M::DWord, 0x21, ""},
        {E::Jis, M::DWord, 0x213021, Bytes({0x81, 0x4F})}, // 0x2130; the last byte is dropped
        {E::Jis, M::DWord, 0x7F7F, "__"},
        {E::Jis, M::DWord, 0x4100, "__"},
        {E::Jis, M::DWord, 0x7E7E3021, Bytes({0xEF, 0xFC, 0x88, 0x9F})},
        {E::Jis, M::Byte, 0x3021, ""},
        {static_cast<E>(9), M::DWord, 0x41B1, "A_"}, // unknown codes read as ASCII
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CharCodeText(c.encoding, c.mode, c.bits), c.text)
            << CharEncodingName(c.encoding) << ' ' << std::hex << c.bits;
    }
}

TEST(EncChar, ZeroGivesAnEmptyTextEverywhere) {
    for (int e = 0; e <= 4; ++e) {
        for (int m = 0; m < CalcValueModeCount; ++m) {
            EXPECT_EQ(CharCodeText(static_cast<E>(e), static_cast<M>(m), 0), "");
        }
    }
}

// What the bar shows must be something the display converter can turn into Unicode: every
// Shift JIS pair is followed through CP932, and every single byte not shown as itself is '_'.
TEST(EncChar, ShiftJisTextDecodesWithCp932WhereAssigned) {
    Iconv toUtf8("UTF-8", "CP932");
    ASSERT_TRUE(toUtf8.Ok());
    int decoded = 0;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const std::int64_t code = static_cast<std::int64_t>(lead * 256 + trail);
            const std::string text = CharCodeText(E::ShiftJis, M::Word, code);
            if (!IsSjisPair(static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail))) {
                continue;
            }
            ASSERT_EQ(text, Bytes({lead, trail}));
            if (const auto utf8 = toUtf8.Convert(text)) {
                ++decoded;
                ASSERT_GE(utf8->size(), 2u); // one character, not two bytes shown apart
            }
        }
    }
    EXPECT_GT(decoded, 7000);
}

} // namespace
} // namespace pexa
