#include "engine/ExpressionError.h"

#include <gtest/gtest.h>

namespace pexa {
namespace {

// What a message quotes of the user's text: printable characters of any
// script as they are, a byte that would not show as itself as "\xNN".
TEST(ExpressionError, SubjectShowsWhatDoesNotPrintAsEscapes) {
    const struct {
        std::string Subject;
        std::string Shown;
    } cases[] = {
        {"G", "G"},
        {"sin", "sin"},
        {"\xE3\x81\x82", "\xE3\x81\x82"},         // a Japanese character
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"}, // beyond the BMP
        {"\x01", "\\x01"},
        {"a\tb", "a\\x09b"},
        {"\x7F", "\\x7F"},
        {"\x80", "\\x80"},          // a stray continuation byte
        {"\xE3\x81", "\\xE3\\x81"}, // a cut sequence
        {"\xC0\xAF", "\\xC0\\xAF"}, // an overlong form
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShownSubject(c.Subject), c.Shown) << c.Subject;
}

} // namespace
} // namespace pexa
