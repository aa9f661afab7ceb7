#include "enc/EncIP.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>

namespace pexa {
namespace {

using M = CalcValueMode;

std::string NtopOf(std::uint32_t address) {
    in_addr a{};
    a.s_addr = htonl(address);
    char buffer[INET_ADDRSTRLEN] = {};
    EXPECT_NE(inet_ntop(AF_INET, &a, buffer, sizeof buffer), nullptr);
    return buffer;
}

// inet_pton's reading of a full dotted quad, or -1 when it refuses the text.
std::int64_t PtonOf(const std::string& text) {
    in_addr a{};
    if (inet_pton(AF_INET, text.c_str(), &a) != 1) {
        return -1;
    }
    return ntohl(a.s_addr);
}

TEST(EncIP, OctetCountFollowsModeWidthUpToFour) {
    EXPECT_EQ(OctetCount(M::Byte), 1);
    EXPECT_EQ(OctetCount(M::Word), 2);
    EXPECT_EQ(OctetCount(M::DWord), 4);
    EXPECT_EQ(OctetCount(M::QWord), 4);
    EXPECT_EQ(OctetCount(M::Float), 4);
}

struct FormatCase {
    std::int64_t bits;
    M mode;
    const char* text;
};

TEST(EncIP, FormatIPv4Cases) {
    const FormatCase cases[] = {
        {0xC0A80001, M::DWord, "192.168.0.1"},
        {0x1C0A80001, M::QWord, "192.168.0.1"}, // bits above 32 never show
        {0x1C0A80001, M::Float, "192.168.0.1"},
        {0x1234, M::Word, "18.52"},
        {0x51234, M::Word, "18.52"},
        {0x7F, M::Byte, "127"},
        {0x1FF, M::Byte, "255"},
        {0, M::Byte, "0"},
        {0, M::Word, "0.0"},
        {0, M::DWord, "0.0.0.0"},
        {0, M::QWord, "0.0.0.0"},
        {-1, M::DWord, "255.255.255.255"},
        {-1, M::QWord, "255.255.255.255"},
        {INT64_MIN, M::QWord, "0.0.0.0"},
        {0x0A000100, M::DWord, "10.0.1.0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatIPv4(c.bits, c.mode), c.text) << std::hex << c.bits;
    }
}

TEST(EncIP, FormatAndParseAgreeWithInetOnRandomAddresses) {
    std::mt19937_64 random(20240611);
    for (int i = 0; i < 20000; ++i) {
        const std::uint64_t r = random();
        // Mostly full-range addresses, but also ones rich in zero and 255 octets.
        std::uint32_t address = static_cast<std::uint32_t>(r);
        if (i % 4 == 1) {
            address &= static_cast<std::uint32_t>(r >> 32) & 0xFF00FF00u;
        } else if (i % 4 == 2) {
            address |= static_cast<std::uint32_t>(r >> 32) & 0x00FF00FFu;
        }
        const std::string reference = NtopOf(address);
        const std::int64_t pattern = static_cast<std::int64_t>((r & ~0xFFFFFFFFull) | address);

        const std::string text = FormatIPv4(pattern, M::QWord);
        ASSERT_EQ(text, reference);
        ASSERT_EQ(PtonOf(text), address);
        ASSERT_EQ(ParseIPv4(reference, M::DWord), address);
        std::string checked = reference;
        ASSERT_TRUE(ValidateIPv4(checked, false, M::DWord)) << reference;
        ASSERT_EQ(checked, reference);
    }
}

struct ParseCase {
    const char* text;
    M mode;
    std::int64_t bits;
};

TEST(EncIP, ParseIPv4Cases) {
    const ParseCase cases[] = {
        {"10.0.0.1", M::DWord, 0x0A000001},
        {"10.0.0.1", M::Word, 0x0A00}, // only the first two fields are read
        {"10.0.0.1", M::Byte, 0x0A},
        {"10.0.0.1", M::Float, 0x0A000001},
        {"192.168", M::DWord, 0xC0A8}, // octets shift in from the right
        {"192.168.", M::DWord, 0xC0A8},
        {"1", M::DWord, 1},
        {"", M::DWord, 0},
        {"300", M::DWord, 44},
        {"256.257", M::Word, 0x0001},
        {"1.2.3.4.5", M::DWord, 0x01020304},
        {"1..2", M::DWord, 1}, // an empty field ends the reading
        {".5", M::DWord, 0},
        {"a.2", M::DWord, 2},  // a non-number field is an octet 0
        {"-1.2", M::DWord, 2}, // signs are not part of a decimal field
        {" 1.2", M::DWord, 2},
        {"007.010", M::DWord, 0x070A}, // leading zeros are decimal, not octal
        {"99999999999999999999.1", M::DWord, 1},
        {"9223372036854775807", M::Byte, 0xFF},
        {"9223372036854775808", M::Byte, 0},
        {"255.255.255.255", M::QWord, 0xFFFFFFFF},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseIPv4(c.text, c.mode), c.bits) << c.text;
    }
}

struct ValidateCase {
    const char* text;
    bool allowPartial;
    M mode;
    bool valid;
    const char* after;
};

TEST(EncIP, ValidateIPv4Cases) {
    const ValidateCase cases[] = {
        {"", true, M::DWord, true, ""},
        {"", false, M::DWord, false, ""},
        {"192", true, M::DWord, true, "192"},
        {"192", false, M::DWord, false, "192"},
        {"192.", true, M::DWord, true, "192."},
        {"192.168.0.", true, M::DWord, true, "192.168.0."},
        {"192.168.0.1", false, M::DWord, true, "192.168.0.1"},
        {"255.255.255.255", false, M::QWord, true, "255.255.255.255"},
        {"256", true, M::DWord, false, "256"},
        {"1.2.3.256", true, M::DWord, false, "1.2.3.256"},
        {"192..1", true, M::DWord, false, "192..1"},
        {".", true, M::DWord, false, "."},
        {".1", true, M::DWord, false, ".1"},
        {"1.2.3.4.", true, M::DWord, false, "1.2.3.4."},
        {"1.2.3.4.5", true, M::DWord, false, "1.2.3.4.5"},
        {"1.2", true, M::Byte, false, "1.2"},
        {"1.", true, M::Byte, false, "1."},
        {"255", false, M::Byte, true, "255"},
        {"1.", true, M::Word, true, "1."},
        {"1.2", false, M::Word, true, "1.2"},
        {"1.2.3", true, M::Word, false, "1.2.3"},
        {"01", true, M::DWord, true, "1"},
        {"192.016", true, M::DWord, true, "192.16"},
        {"007", true, M::DWord, true, "07"}, // one zero per call
        {"0", true, M::DWord, true, "0"},
        {"0.0.0.0", false, M::DWord, true, "0.0.0.0"},
        {"00.00.00.00", false, M::DWord, true, "0.0.0.0"},
        {"1.0256", true, M::DWord, false, "1.256"}, // the zero goes even when refused
        {"1a", true, M::DWord, false, "1a"},
        {"+1", true, M::DWord, false, "+1"},
        {"-0", true, M::DWord, false, "-0"},
        {" 1", true, M::DWord, false, " 1"},
        {"1:2", true, M::DWord, false, "1:2"},
        {"99999999999999999999", true, M::DWord, false, "99999999999999999999"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EXPECT_EQ(ValidateIPv4(text, c.allowPartial, c.mode), c.valid) << c.text;
        EXPECT_EQ(text, c.after) << c.text;
    }
}

TEST(EncIP, ValidateIPv4StripsLeadingZerosOneCallAtATime) {
    std::string text = "007";
    ASSERT_TRUE(ValidateIPv4(text, true, M::DWord));
    EXPECT_EQ(text, "07");
    ASSERT_TRUE(ValidateIPv4(text, true, M::DWord));
    EXPECT_EQ(text, "7");
    ASSERT_TRUE(ValidateIPv4(text, true, M::DWord));
    EXPECT_EQ(text, "7");

    text = "192.016";
    ASSERT_TRUE(ValidateIPv4(text, true, M::DWord));
    ASSERT_TRUE(ValidateIPv4(text, true, M::DWord));
    EXPECT_EQ(text, "192.16");
}

// Texts typed one key at a time, as the IP bar does: every prefix is checked with partial
// texts allowed, and a refused key leaves the accepted text as it was.
TEST(EncIP, TypingKeyByKeyBuildsTheAddress) {
    std::string entry;
    for (const char key : std::string("192.168.00.01.")) {
        std::string candidate = entry + key;
        if (ValidateIPv4(candidate, true, M::DWord)) {
            entry = candidate;
        }
    }
    EXPECT_EQ(entry, "192.168.0.1");
    EXPECT_EQ(ParseIPv4(entry, M::DWord), 0xC0A80001);
}

// glibc's inet_pton accepts exactly the dotted quads without leading zeros, so on texts of
// digits and dots a full check that leaves the text alone must agree with it, and whenever the
// check drops a zero, inet_pton must have refused the original.
TEST(EncIP, ValidateIPv4AgreesWithInetPtonOnRandomTexts) {
    std::mt19937 random(7);
    const char alphabet[] = "0123456789.";
    const char favoured[] = "0125.";
    int accepted = 0;
    for (int i = 0; i < 50000; ++i) {
        std::string text;
        if (i % 2 == 0) {
            const int length = static_cast<int>(random() % 17);
            for (int k = 0; k < length; ++k) {
                text += (random() % 2 != 0) ? favoured[random() % 5] : alphabet[random() % 11];
            }
        } else {
            // Dotted texts of three to five short fields reach the accepting side often.
            const int fields = 3 + static_cast<int>(random() % 3);
            for (int f = 0; f < fields; ++f) {
                if (f > 0) {
                    text += '.';
                }
                const int digits = static_cast<int>(random() % 4);
                for (int k = 0; k < digits; ++k) {
                    text += (random() % 3 == 0) ? favoured[random() % 4] : alphabet[random() % 10];
                }
            }
        }
        std::string checked = text;
        const bool valid = ValidateIPv4(checked, false, M::DWord);
        const std::int64_t reference = PtonOf(text);
        if (checked == text) {
            ASSERT_EQ(valid, reference >= 0) << text;
        } else {
            ASSERT_LT(reference, 0) << text;
        }
        if (valid && checked == text) {
            ++accepted;
            ASSERT_EQ(ParseIPv4(text, M::DWord), reference) << text;
            ASSERT_EQ(FormatIPv4(reference, M::DWord), text);
        }
    }
    EXPECT_GT(accepted, 500); // the sample must reach the accepting side too
}

} // namespace
} // namespace pexa
