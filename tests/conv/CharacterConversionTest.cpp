#include "ConvDriver.h"

#include "conv/CharacterConversion.h"
#include "core/FormatSettings.h"

#include <gtest/gtest.h>

#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>

namespace pexa {
namespace {

using namespace test;

CharacterConversion& AsChar(Conversion& conv) {
    return dynamic_cast<CharacterConversion&>(conv);
}

std::unique_ptr<Conversion> MakeChar(CalcValueMode mode, CharEncoding encoding,
                                     bool reversed = false) {
    auto conv = MakeConv(BarKind::Char, mode, false, reversed);
    AsChar(*conv).SetEncoding(encoding);
    return conv;
}

struct RenderCase {
    CharEncoding encoding;
    CalcValueMode mode;
    bool reversed;
    CalcValue value;
    const char* text;
    ConvTextState state;
};

TEST(ConvChar, Rendering) {
    const auto A = CharEncoding::Ascii;
    const auto S = CharEncoding::ShiftJis;
    const auto E = CharEncoding::Euc;
    const auto J = CharEncoding::Jis;
    const auto N = ConvTextState::Normal;
    const auto G = ConvTextState::NotApplicable;
    const RenderCase cases[] = {
        {A, DWord, false, Int(0x41424344), "ABCD", N},
        {A, DWord, false, Int(0x4142), "__AB", N},
        {A, DWord, false, Int(0), "____", N},
        {A, DWord, false, Int(0x410042), "_A_B", N},
        {A, Float, false, Int(0), "_", N},
        {A, Float, false, MakeReal(Float, 65.9L), "A", N},
        {A, Float, false, Int(0x4142434445), "ABCDE", N},
        {A, Byte, false, Int(0x4142), "B", N},
        {A, Byte, false, Int(0), "_", N},
        {A, Word, false, Int(0x4142), "AB", N},
        {A, QWord, false, Int(0x4142434445464748), "ABCDEFGH", N},
        {A, QWord, false, Int(-1), "________", N},
        {A, Byte, false, Int(0xB1), "_", N},
        // Reverse Endian shows the bytes in memory order.
        {A, Word, true, Int(0x4142), "BA", N},
        {A, DWord, true, Int(0x41), "A___", N},
        {A, QWord, true, Int(0x4142), "BA______", N},
        // Byte and Float never reverse.
        {A, Byte, true, Int(0x41), "A", N},
        {A, Float, true, Int(0x4142), "AB", N},
        {S, Word, false, Int(0x889F), "\x88\x9F", N},
        {S, Word, false, Int(0x8841), "\x88\x41", N},
        {S, Byte, false, Int(0xB1), "\xB1", N},
        {S, Word, false, Int(0x88), "__", N},
        {S, Word, false, Int(0x8820), "_ ", N},
        {E, Word, false, Int(0xB0A1), "\x88\x9F", N},
        {E, Word, false, Int(0xB021), "_!", N},
        {E, Word, true, Int(0xA1B0), "\x88\x9F", N},
        {J, Word, false, Int(0x3021), "\x88\x9F", N},
        {J, DWord, false, Int(0x3021), "__\x88\x9F", N},
        {J, Word, false, Int(0x7F7F), "__", N},
        {J, Word, false, Int(0x21), "__", N},
        {J, Byte, false, Int(0x41), "_", G},
        {J, Byte, false, Int(0), "_", G},
        {J, QWord, false, Int(0x213021), "______\x81O", N},
    };
    for (const RenderCase& c : cases) {
        SCOPED_TRACE(std::string(CharEncodingName(c.encoding)) + " " + ModeCaption(c.mode) +
                     (c.reversed ? " reversed " : " ") + c.text);
        auto conv = MakeChar(c.mode, c.encoding, c.reversed);
        conv->SetValue(c.value);
        EXPECT_EQ(conv->GetText(false), c.text);
        EXPECT_EQ(conv->GetText(true), c.text);
        EXPECT_EQ(conv->GetTextState(), c.state);
    }
}

// The bytes of one character in another encoding, by glibc iconv; escape
// sequences of ISO-2022-JP are dropped, leaving the bare JIS pair.
std::string Iconv(const char* to, const std::string& utf8) {
    iconv_t cd = iconv_open(to, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    std::string in = utf8;
    char out[64] = {};
    char* inPtr = in.data();
    char* outPtr = out;
    std::size_t inLeft = in.size();
    std::size_t outLeft = sizeof out;
    const std::size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<std::size_t>(-1))
        return {};
    std::string result(out, outPtr);
    for (std::size_t esc; (esc = result.find('\x1B')) != std::string::npos;)
        result.erase(esc, 3);
    return result;
}

std::int64_t BytesAsInteger(const std::string& bytes) {
    std::uint64_t v = 0;
    for (const char b : bytes)
        v = (v << 8) | static_cast<unsigned char>(b);
    return static_cast<std::int64_t>(v);
}

TEST(ConvChar, EncodingsAgreeWithIconv) {
    const char* characters[] = {"亜", "漢", "字", "あ", "ア", "ー", "→", "Ω", "表", "能", "熙"};
    for (const char* ch : characters) {
        SCOPED_TRACE(ch);
        const std::string sjis = Iconv("SHIFT_JIS", ch);
        const std::string euc = Iconv("EUC-JP", ch);
        const std::string jis = Iconv("ISO-2022-JP", ch);
        ASSERT_EQ(sjis.size(), 2u);
        ASSERT_EQ(euc.size(), 2u);
        ASSERT_EQ(jis.size(), 2u);
        const struct {
            CharEncoding encoding;
            const std::string& bytes;
        } rows[] = {
            {CharEncoding::ShiftJis, sjis}, {CharEncoding::Euc, euc}, {CharEncoding::Jis, jis}};
        for (const auto& row : rows) {
            auto conv = MakeChar(Word, row.encoding);
            conv->SetValue(Int(BytesAsInteger(row.bytes)));
            EXPECT_EQ(conv->GetText(false), sjis) << CharEncodingName(row.encoding);
            // The same bytes typed one by one give the same value and text.
            conv->Clear();
            for (const char b : row.bytes)
                EXPECT_TRUE(conv->InputChar(b));
            EXPECT_EQ(IntOf(*conv), BytesAsInteger(row.bytes));
            EXPECT_EQ(conv->GetText(false), sjis);
        }
    }
}

struct TypingCase {
    CalcValueMode mode;
    bool reversed;
    const char* keys;
    const char* marks;
    const char* text;
    std::int64_t value;
};

TEST(ConvChar, Typing) {
    const TypingCase cases[] = {
        {Word, false, "AB", "++", "AB", 0x4142},
        {Word, false, "ABC", "++-", "AB", 0x4142},
        {Byte, false, "AB", "+-", "A", 0x41},
        {DWord, false, "ABCD", "++++", "ABCD", 0x41424344},
        {DWord, false, "ABCDE", "++++-", "ABCD", 0x41424344},
        {DWord, true, "ABCD", "++++", "ABCD", 0x44434241},
        {Word, true, "A", "+", "_A", 0x4100},
        {QWord, false, "01234567", "++++++++", "01234567", 0x3031323334353637},
        {QWord, false, "012345678", "++++++++-", "01234567", 0x3031323334353637},
        {QWord, true, "AB", "++", "______AB", 0x4241000000000000},
        {Float, false, "AB", "++", "AB", 0x4142},
        {Float, false, "\xFF", "+", "_", 0xFF},
        // Digits, the decimal point, the separator and "-" type themselves.
        {DWord, false, "1.:-", "++++", "1.:-", 0x312E3A2D},
        {Word, false, "\x88\x9F", "++", "\x88\x9F", 0x889F},
    };
    for (const TypingCase& c : cases) {
        SCOPED_TRACE(std::string("keys ") + c.keys + " " + ModeCaption(c.mode) +
                     (c.reversed ? " reversed" : ""));
        auto conv = MakeConv(BarKind::Char, c.mode, false, c.reversed);
        AsChar(*conv).SetEncoding(CharEncoding::ShiftJis);
        EXPECT_EQ(TypeKeys(*conv, c.keys), c.marks);
        EXPECT_EQ(conv->GetText(false), c.text);
        EXPECT_EQ(IntOf(*conv), c.value);
        EXPECT_EQ(conv->GetValue().Mode, c.mode);
    }
}

TEST(ConvChar, TypedZeroByteTakesAColumn) {
    auto conv = MakeConv(BarKind::Char, DWord);
    conv->Clear();
    EXPECT_TRUE(conv->InputChar('A'));
    EXPECT_TRUE(conv->InputChar('\0'));
    EXPECT_TRUE(conv->InputChar('B'));
    EXPECT_EQ(IntOf(*conv), 0x410042);
    EXPECT_EQ(conv->GetText(false), "_A_B");
}

TEST(ConvChar, EveryKeyIsEnabled) {
    auto conv = MakeConv(BarKind::Char, DWord);
    for (int c = 0; c < 256; ++c) {
        for (const bool newEntry : {false, true}) {
            for (const bool pasting : {false, true})
                EXPECT_TRUE(conv->CanInputChar(static_cast<char>(c), newEntry, pasting)) << c;
        }
    }
    // Enabled even when the value is full: InputChar is what refuses.
    conv->SetValue(Int(0x41424344));
    EXPECT_TRUE(conv->CanInputChar('E', false, false));
    EXPECT_FALSE(conv->InputChar('E'));
    EXPECT_EQ(IntOf(*conv), 0x41424344);
}

TEST(ConvChar, Backspace) {
    struct Case {
        CalcValueMode mode;
        bool reversed;
        CalcValue value;
        std::int64_t after;
        const char* text;
    };
    const Case cases[] = {
        {Word, false, Int(0x4142), 0x41, "_A"},
        {Word, true, Int(0x4142), 0x4200, "_B"},
        {DWord, false, Int(0x41424344), 0x414243, "_ABC"},
        {QWord, false, Int(-1), 0x00FFFFFFFFFFFFFF, "________"},
        {QWord, true, Int(0x4142), 0x414200, "_BA_____"},
        {Byte, false, Int(0x41), 0, "_"},
        {Float, false, MakeReal(Float, 16706.5L), 0x41, "A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(ModeCaption(c.mode)) + (c.reversed ? " reversed " : " ") + c.text);
        auto conv = MakeConv(BarKind::Char, c.mode, false, c.reversed);
        conv->SetValue(c.value);
        EXPECT_TRUE(conv->CanBackspace());
        EXPECT_TRUE(conv->Backspace());
        EXPECT_EQ(IntOf(*conv), c.after);
        EXPECT_EQ(conv->GetText(false), c.text);
    }
    auto conv = MakeConv(BarKind::Char, Word);
    EXPECT_FALSE(conv->CanBackspace());
    TypeKeys(*conv, "AB");
    EXPECT_TRUE(conv->Backspace());
    EXPECT_TRUE(conv->Backspace());
    EXPECT_FALSE(conv->CanBackspace());
    EXPECT_EQ(conv->GetText(false), "__");
}

TEST(ConvChar, OnlyReverseEndianApplies) {
    auto conv = MakeConv(BarKind::Char, Word, true, true);
    EXPECT_EQ(conv->GetCapabilities(), ConvOptionSet{ConvOption::ReverseEndian});
    EXPECT_FALSE(conv->HasOption(ConvOption::Signed));
    EXPECT_TRUE(conv->HasOption(ConvOption::ReverseEndian));
    EXPECT_FALSE(conv->CanToggleSign());
    EXPECT_FALSE(conv->IsIgnoredChar(','));
    EXPECT_FALSE(conv->IsIgnoredChar(' '));
    EXPECT_EQ(conv->GetSeparatorCaption(), ":");
    // The same held value reads the other way round once the option is off.
    conv->SetValue(Int(0x4142));
    EXPECT_EQ(conv->GetText(false), "BA");
    conv->SetOption(ConvOption::ReverseEndian, false);
    EXPECT_EQ(conv->GetText(false), "AB");
    EXPECT_EQ(IntOf(*conv), 0x4142);
}

TEST(ConvChar, EncodingChangesOnlyTheText) {
    auto conv = MakeConv(BarKind::Char, Word);
    CharacterConversion& chr = AsChar(*conv);
    EXPECT_EQ(chr.GetCharEncoding(), CharEncoding::Ascii);
    conv->SetValue(Int(0xB0A1));
    EXPECT_EQ(conv->GetText(false), "__");
    chr.SetEncoding(CharEncoding::Euc);
    EXPECT_EQ(chr.GetCharEncoding(), CharEncoding::Euc);
    EXPECT_EQ(conv->GetText(false), "\x88\x9F");
    EXPECT_EQ(IntOf(*conv), 0xB0A1);
    conv->SetMode(Byte);
    chr.SetEncoding(CharEncoding::Jis);
    EXPECT_EQ(conv->GetTextState(), ConvTextState::NotApplicable);
    for (const CharEncoding e : {CharEncoding::Ascii, CharEncoding::ShiftJis, CharEncoding::Euc}) {
        chr.SetEncoding(e);
        EXPECT_EQ(conv->GetTextState(), ConvTextState::Normal);
    }
}

TEST(ConvChar, LocaleMakesNoDifference) {
    for (const FormatSettings& format : {FormatSettings{}, CommaDecimal}) {
        const FormatSettingsScope scope(format);
        auto conv = MakeConv(BarKind::Char, DWord);
        EXPECT_EQ(TypeKeys(*conv, "1,5."), "++++");
        EXPECT_EQ(IntOf(*conv), 0x312C352E);
        EXPECT_EQ(conv->GetText(false), "1,5.");
        // Pasting skips nothing, not even the thousands separator.
        EXPECT_TRUE(PasteText(*conv, "1.2,"));
        EXPECT_EQ(IntOf(*conv), 0x312E322C);
    }
}

TEST(ConvChar, ValuesSurviveSetAndGet) {
    const std::int64_t patterns[] = {0, 1, 0x41, 0x8000, 0x12345678, -1, INT64_MIN, INT64_MAX};
    for (const CalcValueMode mode : AllModes) {
        for (const bool reversed : {false, true}) {
            auto conv = MakeConv(BarKind::Char, mode, false, reversed);
            for (const std::int64_t p : patterns) {
                CalcValue v = MakeZero();
                SetInteger(v, mode, p);
                conv->SetValue(v);
                const CalcValue back = conv->GetValue();
                EXPECT_EQ(back.Mode, mode);
                EXPECT_EQ(GetInteger(back), GetInteger(v)) << ModeCaption(mode) << " " << p;
                EXPECT_EQ(GetReal(back), GetReal(v));
            }
            CalcValue real = MakeReal(Float, 12345.625L);
            ConvertValue(real, mode, real);
            conv->SetValue(real);
            EXPECT_EQ(GetReal(conv->GetValue()), GetReal(real)) << ModeCaption(mode);
        }
    }
}

// Typed or pasted characters go in whole, as the window offers them.
std::string InputCharacters(CharacterConversion& chr, std::u32string_view text) {
    std::string marks;
    for (const char32_t ch : text)
        marks += chr.InputCharacter(ch) ? '+' : '-';
    return marks;
}

TEST(ConvChar, UnicodeInput) {
    struct Case {
        CharEncoding encoding;
        CalcValueMode mode;
        bool reversed;
        std::u32string_view text;
        std::string marks;
        std::uint64_t value; // the held value
        std::string shown;
    };
    const auto U8 = CharEncoding::Utf8;
    const auto U16 = CharEncoding::Utf16;
    const auto CP = CharEncoding::CodePoint;
    const Case cases[] = {
        {U8, DWord, false, U"日", "+", 0xE697A5, "_日"},
        {U8, DWord, false, U"A日", "++", 0x41E697A5, "A日"},
        {U8, DWord, false, U"日日", "+-", 0xE697A5, "_日"}, // all bytes or none
        {U8, DWord, true, U"日", "+", 0xA597E600, "_日"},
        {U8, Byte, false, U"é", "-", 0, "_"},
        {U16, DWord, false, U"😀", "+", 0xD83DDE00, "😀"},
        {U16, Word, false, U"😀", "-", 0, "_"},
        {U16, DWord, false, U"AB", "++", 0x00410042, "AB"},
        {U16, Byte, false, U"A", "-", 0, "_"},
        {CP, Word, false, U"日", "+", 0x65E5, "日"},
        {CP, DWord, false, U"😀", "+", 0x1F600, "😀"},
        {CP, QWord, false, U"😀", "+", 0x1F600, "😀"},
        {CP, Word, false, U"😀", "-", 0, "_"},
        {CP, DWord, false, U"AB", "+-", 0x41, "A"}, // one character a value
        {CP, Byte, false, U"é", "+", 0xE9, "é"},
        {CharEncoding::ShiftJis, Word, false, U"A日", "+-", 0x41, "_A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(CharEncodingName(c.encoding) + " " + ModeCaption(c.mode) +
                     (c.reversed ? " reversed" : ""));
        auto conv = MakeChar(c.mode, c.encoding, c.reversed);
        EXPECT_EQ(InputCharacters(AsChar(*conv), c.text), c.marks);
        EXPECT_EQ(static_cast<std::uint64_t>(GetInteger(conv->GetValue())), c.value);
        EXPECT_EQ(conv->GetText(false), c.shown);
        EXPECT_EQ(conv->GetTextCharset(),
                  IsUnicodeEncoding(c.encoding) ? TextCharset::Utf8 : TextCharset::ShiftJis);
    }
}

TEST(ConvChar, UnicodeBytesStatesAndBackspace) {
    // UTF-8 takes raw bytes one by one as well; the other two only ASCII.
    auto utf8 = MakeChar(DWord, CharEncoding::Utf8);
    EXPECT_EQ(TypeKeys(*utf8, "A\xE6\x97\xA5"), "++++");
    EXPECT_EQ(utf8->GetText(false), "A日");
    EXPECT_TRUE(utf8->Backspace()); // the whole character goes
    EXPECT_EQ(GetInteger(utf8->GetValue()), 0x41);
    auto utf16 = MakeChar(DWord, CharEncoding::Utf16);
    EXPECT_EQ(TypeKeys(*utf16, "A\xE6"), "+-");
    EXPECT_TRUE(AsChar(*utf16).InputCharacter(U'😀') == false); // one unit left free
    auto point = MakeChar(DWord, CharEncoding::CodePoint);
    EXPECT_TRUE(AsChar(*point).InputCharacter(U'😀'));
    EXPECT_TRUE(point->Backspace());
    EXPECT_EQ(GetInteger(point->GetValue()), 0);

    struct StateCase {
        std::int64_t value;
        ConvTextState state;
        const char* shown;
    };
    const StateCase states[] = {{0x10FFFF, ConvTextState::Normal, "\xF4\x8F\xBF\xBF"},
                                {0x110000, ConvTextState::Invalid, "_"},
                                {0xD800, ConvTextState::Invalid, "_"},
                                {0x7F, ConvTextState::Normal, "_"}};
    for (const StateCase& c : states) {
        point->SetValue(IntValue(DWord, c.value));
        EXPECT_EQ(point->GetTextState(), c.state) << c.value;
        EXPECT_EQ(point->GetText(false), c.shown) << c.value;
    }
}

// A character copied from a byte encoding's bar comes back as display code
// page (Shift JIS) bytes; EUC and JIS put it in as their own code, so that
// 亜 pastes back as the code it was shown for.
TEST(ConvChar, DisplayCharactersPasteAsTheEncodingsOwnCode) {
    struct Case {
        CharEncoding encoding;
        std::string display;
        std::optional<std::string> bytes;
    };
    const Case cases[] = {
        {CharEncoding::Euc, "\x88\x9F", "\xB0\xA1"}, // 亜
        {CharEncoding::Euc, "\x96\x8E", "\xCB\xEE"}, // 鮪
        {CharEncoding::Jis, "\x88\x9F", "\x30\x21"},
        {CharEncoding::Jis, "\xEF\xFC", "\x7E\x7E"}, // the last row and cell
        {CharEncoding::ShiftJis, "\x88\x9F", "\x88\x9F"},
        {CharEncoding::Ascii, "\x88\x9F", "\x88\x9F"},
        {CharEncoding::Euc, "A", "A"},
        {CharEncoding::Jis, "A", "A"},
        {CharEncoding::Euc, "\xB1", std::nullopt}, // half-width katakana
        {CharEncoding::Jis, "\xB1", std::nullopt},
        {CharEncoding::ShiftJis, "\xB1", "\xB1"},
        {CharEncoding::Euc, "\xF0\x40", std::nullopt}, // user-defined area
    };
    for (const Case& c : cases) {
        auto conv = MakeChar(Word, c.encoding);
        EXPECT_EQ(AsChar(*conv).BytesOfDisplayChar(c.display), c.bytes)
            << CharEncodingName(c.encoding) << " " << c.display;
    }
}

} // namespace
} // namespace pexa
