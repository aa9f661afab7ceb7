#include "ConvDriver.h"

#include "core/FormatSettings.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>

namespace pexa {
namespace {

using namespace test;

struct TypingCase {
    CalcValueMode mode;
    bool reversed;
    const char* keys;
    const char* marks; // per key: + accepted, - refused, x key disabled
    const char* text;
    std::int64_t value;
};

void RunTyping(const TypingCase& c) {
    SCOPED_TRACE(std::string("keys ") + c.keys + " " + ModeCaption(c.mode) +
                 (c.reversed ? " reversed" : ""));
    auto conv = MakeConv(BarKind::IP, c.mode, false, c.reversed);
    EXPECT_EQ(TypeKeys(*conv, c.keys), c.marks);
    EXPECT_EQ(conv->GetText(false), c.text);
    EXPECT_EQ(conv->GetText(true), c.text);
    EXPECT_EQ(IntOf(*conv), c.value);
    EXPECT_EQ(conv->GetValue().Mode, c.mode);
}

TEST(ConvIP, Typing) {
    const TypingCase cases[] = {
        {DWord, false, "192.168.0.1", "+++++++++++", "192.168.0.1", 0xC0A80001},
        {DWord, false, "192.168.0.1.", "+++++++++++-", "192.168.0.1", 0xC0A80001},
        {DWord, false, "1.2.3.45", "++++++++", "1.2.3.45", 0x0102032D},
        {DWord, false, "256", "++-", "25", 25},
        {DWord, false, "255.256", "++++++-", "255.25", 0xFF19},
        {DWord, false, "1:2:3:4", "+++++++", "1.2.3.4", 0x01020304},
        {DWord, false, "01", "++", "1", 1},
        {DWord, false, "00", "++", "0", 0},
        {DWord, false, "10.01", "+++++", "10.1", 0x0A01},
        {DWord, false, "1..", "++-", "1.", 1},
        {DWord, false, ".", "-", "0.0.0.0", 0},
        {DWord, false, "192.168", "+++++++", "192.168", 0xC0A8},
        {DWord, false, "192.168.", "++++++++", "192.168.", 0xC0A8},
        {DWord, false, "1-A E,", "+xxxxx", "1", 1},
        {Byte, false, "1.", "+-", "1", 1},
        {Byte, false, "255", "+++", "255", 255},
        {Byte, false, "2555", "+++-", "255", 255},
        {Word, false, "1.2.", "+++-", "1.2", 0x0102},
        {Word, false, "18.52", "+++++", "18.52", 0x1234},
        {Word, true, "18.52", "+++++", "18.52", 0x3412},
        {DWord, true, "127.0.0.1", "+++++++++", "127.0.0.1", 0x0100007F},
        {DWord, true, "127", "+++", "127", 0x7F000000},
        {QWord, false, "1.2.3.4", "+++++++", "1.2.3.4", 0x01020304},
        {QWord, false, "1.2.3.4.", "+++++++-", "1.2.3.4", 0x01020304},
        {QWord, true, "1.2.3.4", "+++++++", "1.2.3.4", 0x0403020100000000},
        {Float, false, "255.255.255.255", "+++++++++++++++", "255.255.255.255", 0xFFFFFFFF},
        {Float, true, "1.2", "+++", "1.2", 0x0102},
    };
    for (const TypingCase& c : cases)
        RunTyping(c);
}

TEST(ConvIP, KeysAreEnabledWhateverTheFlags) {
    auto conv = MakeConv(BarKind::IP, Byte);
    for (int c = 0; c < 256; ++c) {
        const char ch = static_cast<char>(c);
        const bool expected = (ch >= '0' && ch <= '9') || ch == '.' || ch == ':';
        for (const bool newEntry : {false, true}) {
            for (const bool pasting : {false, true})
                EXPECT_EQ(conv->CanInputChar(ch, newEntry, pasting), expected) << c;
        }
    }
}

TEST(ConvIP, DecimalSeparatorOfTheLocaleTypesADot) {
    const FormatSettingsScope scope(CommaDecimal);
    auto conv = MakeConv(BarKind::IP, DWord);
    EXPECT_EQ(TypeKeys(*conv, "10,0.0:1"), "++++++++");
    EXPECT_EQ(conv->GetText(false), "10.0.0.1");
    EXPECT_EQ(IntOf(*conv), 0x0A000001);
    EXPECT_FALSE(conv->IsIgnoredChar('.'));
    conv->SetValue(Int(0xC0A80001));
    EXPECT_EQ(conv->GetText(false), "192.168.0.1");
}

TEST(ConvIP, RenderingAndTextState) {
    const auto N = ConvTextState::Normal;
    const auto G = ConvTextState::NotApplicable;
    const ShownCase cases[] = {
        {DWord, false, Int(0xC0A80001), "192.168.0.1", N},
        {DWord, false, Int(0), "0.0.0.0", N},
        {Word, false, Int(0x1234), "18.52", G},
        {Word, true, Int(0x1234), "52.18", G},
        {Byte, false, Int(0x7F), "127", G},
        {Byte, true, Int(0x7F), "127", G},
        {QWord, false, Int(0x1C0A80001), "192.168.0.1", N},
        {QWord, false, Int(-1), "255.255.255.255", N},
        // Reversed over eight bytes, the low four octets are the high bytes.
        {QWord, true, Int(0x0100007F00000000), "127.0.0.1", N},
        {Float, false, MakeReal(Float, 3232235521.75L), "192.168.0.1", N},
        {Float, false, MakeReal(Float, -1.5L), "255.255.255.255", N},
        {DWord, true, Int(0x0100007F), "127.0.0.1", N},
    };
    ExpectShown(BarKind::IP, cases);
}

// inet_pton gives the address in network byte order, most significant
// octet first in memory.
std::uint32_t InetPton(const std::string& text) {
    in_addr addr{};
    if (inet_pton(AF_INET, text.c_str(), &addr) != 1)
        ADD_FAILURE() << "inet_pton refused " << text;
    return ntohl(addr.s_addr);
}

std::string InetNtop(std::uint32_t v) {
    in_addr addr{};
    addr.s_addr = htonl(v);
    char buf[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &addr, buf, sizeof buf);
    return buf;
}

std::uint32_t ByteSwap32(std::uint32_t v) {
    return (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
}

TEST(ConvIP, AgreesWithInetPtonAndNtop) {
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<std::uint32_t> dist;
    for (int i = 0; i < 300; ++i) {
        const std::uint32_t v = i < 4 ? std::uint32_t{0xFFFFFFFFu} >> (8 * i) : dist(rng);
        for (const bool reversed : {false, true}) {
            SCOPED_TRACE(InetNtop(v) + (reversed ? " reversed" : ""));
            const std::uint32_t held = reversed ? ByteSwap32(v) : v;
            auto conv = MakeConv(BarKind::IP, DWord, false, reversed);
            conv->SetValue(Int(held));
            const std::string shown = conv->GetText(false);
            EXPECT_EQ(shown, InetNtop(v));
            EXPECT_EQ(InetPton(shown), v);
            // The reference text typed as a new entry stores the same value.
            const std::string typed = InetNtop(v);
            EXPECT_EQ(TypeKeys(*conv, typed), std::string(typed.size(), '+'));
            EXPECT_EQ(IntOf(*conv), static_cast<std::int64_t>(held));
            // Pasted, too.
            conv->SetValue(Int(0));
            EXPECT_TRUE(PasteText(*conv, typed));
            EXPECT_EQ(IntOf(*conv), static_cast<std::int64_t>(held));
        }
    }
}

TEST(ConvIP, ClearShowsZeroWithAnEmptyEntry) {
    const struct {
        CalcValueMode mode;
        const char* text;
    } cases[] = {
        {Byte, "0"}, {Word, "0.0"}, {DWord, "0.0.0.0"}, {QWord, "0.0.0.0"}, {Float, "0.0.0.0"}};
    for (const auto& c : cases) {
        auto conv = MakeConv(BarKind::IP, c.mode);
        conv->SetValue(Int(0x01020304));
        conv->Clear();
        EXPECT_EQ(conv->GetText(false), c.text);
        EXPECT_FALSE(conv->CanBackspace());
        EXPECT_FALSE(conv->Backspace());
        EXPECT_EQ(IntOf(*conv), 0);
    }
}

TEST(ConvIP, BackspaceKeepsTextAndValueTogether) {
    auto conv = MakeConv(BarKind::IP, DWord);
    TypeKeys(*conv, "192.168.0.1");
    const struct {
        const char* text;
        std::int64_t value;
    } steps[] = {{"192.168.0.", 0xC0A800},
                 {"192.168.0", 0xC0A800},
                 {"192.168.", 0xC0A8},
                 {"192.168", 0xC0A8},
                 {"192.16", 0xC010},
                 {"192.1", 0xC001},
                 {"192.", 0xC0},
                 {"192", 0xC0},
                 {"19", 19},
                 {"1", 1},
                 {"0.0.0.0", 0}};
    for (const auto& step : steps) {
        ASSERT_TRUE(conv->CanBackspace());
        EXPECT_TRUE(conv->Backspace());
        EXPECT_EQ(conv->GetText(false), step.text);
        EXPECT_EQ(IntOf(*conv), step.value);
    }
    EXPECT_FALSE(conv->CanBackspace());
    // The shortened text goes on from where it stands.
    EXPECT_EQ(TypeKeys(*conv, "10.1", false), "++++");
    EXPECT_EQ(IntOf(*conv), 0x0A01);
}

TEST(ConvIP, BackspaceThenModeChangeShowsTheHeldValue) {
    auto conv = MakeConv(BarKind::IP, DWord);
    TypeKeys(*conv, "1.2.3.4");
    conv->Backspace();
    conv->SetMode(DWord);
    EXPECT_EQ(conv->GetText(false), "0.1.2.3");
    conv->SetMode(Word);
    EXPECT_EQ(conv->GetText(false), "2.3");
    EXPECT_EQ(IntOf(*conv), 0x0203);
}

TEST(ConvIP, OnlyReverseEndianApplies) {
    auto conv = MakeConv(BarKind::IP, DWord, true, true);
    EXPECT_EQ(conv->GetCapabilities(), ConvOptionSet{ConvOption::ReverseEndian});
    EXPECT_FALSE(conv->HasOption(ConvOption::Signed));
    EXPECT_FALSE(conv->CanToggleSign());
    EXPECT_EQ(conv->GetSeparatorCaption(), ":");
    conv->SetValue(Int(0x0100007F));
    EXPECT_EQ(conv->GetText(false), "127.0.0.1");
    conv->SetOption(ConvOption::ReverseEndian, false);
    EXPECT_EQ(conv->GetText(false), "1.0.0.127");
    EXPECT_EQ(IntOf(*conv), 0x0100007F);
}

TEST(ConvIP, ValuesSurviveSetAndGet) {
    // A real's fraction is not in the dotted text but stays in the value.
    ExpectValuesSurvive(BarKind::IP, {0, 1, 0xC0A80001, 0x123456789A, -1, INT64_MIN, INT64_MAX},
                        3232235521.75L);
}

} // namespace
} // namespace pexa
