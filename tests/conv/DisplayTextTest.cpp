// The conversions' texts as a terminal gets them: the same cells the
// window's bars show (one "_" for what has no character), in UTF-8.

#include "conv/DisplayText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

using namespace pexa;

namespace {

struct TextCase {
    const char* Name;
    std::string Bytes;
    TextCharset Charset;
    std::string Shown;
};

const TextCase TextCases[] = {
    {"empty", "", TextCharset::ShiftJis, ""},
    {"ascii", "0x1F #$&\\~", TextCharset::ShiftJis, "0x1F #$&\\~"},
    {"kanji pair", "\x88\x9F", TextCharset::ShiftJis, "亜"},
    {"half-width katakana", "\xB1\xDF", TextCharset::ShiftJis, "ｱﾟ"},
    {"ideographic space", "\x81\x40", TextCharset::ShiftJis, "　"},
    {"mixed",
     "A\x88\x9F"
     "B",
     TextCharset::ShiftJis, "A亜B"},
    {"lone lead byte at end", "A\x88", TextCharset::ShiftJis, "A_"},
    {"lead before invalid trail", "\x88\x20", TextCharset::ShiftJis, "_ "},
    {"unassigned pair is one cell",
     "\x85\x40"
     "A",
     TextCharset::ShiftJis, "_A"},
    {"bytes without a character", "\x80\xA0\xFD\xFE\xFF", TextCharset::ShiftJis, "_____"},
    {"utf-8 kept", "A\xE3\x81\x82\xF0\x9F\x98\x80", TextCharset::Utf8,
     "A\xE3\x81\x82\xF0\x9F\x98\x80"},
    {"utf-8 override between letters",
     "ab\xE2\x80\xAE"
     "de",
     TextCharset::Utf8, "ab_de"},
    {"utf-8 marks", "\xE2\x80\x8E\xE2\x80\x8F\xD8\x9C", TextCharset::Utf8, "___"},
    {"utf-8 isolates", "\xE2\x81\xA6\xE2\x81\xA9", TextCharset::Utf8, "__"},
    {"utf-8 neighbours of the ranges kept", "\xE2\x80\x8D\xE2\x80\xAF\xE2\x81\xAA",
     TextCharset::Utf8, "\xE2\x80\x8D\xE2\x80\xAF\xE2\x81\xAA"},
    {"utf-8 ill-formed bytes", "\xC0\xAF\xED\xA0\x80\xE3\x81", TextCharset::Utf8, "_______"},
};

TEST(DisplayTextTest, ShowsTheBarsCellsInUtf8) {
    for (const TextCase& c : TextCases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(ConvTextToUtf8(c.Bytes, c.Charset), c.Shown);
    }
}

struct EncodeCase {
    char32_t Character;
    std::optional<std::string> Sjis;
};

const EncodeCase EncodeCases[] = {
    {U'A', "A"},         {U'あ', "\x82\xA0"},   {U'亜', "\x88\x9F"},    {U'ｱ', "\xB1"},
    {U'　', "\x81\x40"}, {U'한', std::nullopt}, {0xD800, std::nullopt}, {0x110000, std::nullopt},
};

TEST(DisplayTextTest, EncodesCharactersInTheDisplayCodePage) {
    for (const EncodeCase& c : EncodeCases) {
        SCOPED_TRACE(static_cast<unsigned>(c.Character));
        EXPECT_EQ(Utf32ToSjis(c.Character), c.Sjis);
    }
}

TEST(DisplayTextTest, EncodesTextInTheDisplayCodePage) {
    EXPECT_EQ(Utf8ToSjis("1亜ｱ"), std::optional<std::string>("1\x88\x9F\xB1"));
    EXPECT_EQ(Utf8ToSjis("a\u00E9"), std::nullopt);
    // A long text crosses the converter's buffer several times.
    std::string many;
    for (int i = 0; i < 1000; ++i)
        many += "亜";
    const std::optional<std::string> bytes = Utf8ToSjis(many);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), 2000u);
    EXPECT_EQ(SjisToUtf8(*bytes), many);
}

} // namespace
