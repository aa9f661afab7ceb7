#include "core/FormatSettings.h"

#include <gtest/gtest.h>

using namespace pexa;

namespace {

struct LocaleCase {
    int Decimal, Thousand, Date, Time;
    char WantDecimal, WantThousand, WantDate, WantTime;
};

class MakeFormatSettingsTest : public testing::TestWithParam<LocaleCase> {};

TEST_P(MakeFormatSettingsTest, KeepsNumberTextsReadable) {
    const LocaleCase& c = GetParam();
    const FormatSettings s = MakeFormatSettings(c.Decimal, c.Thousand, c.Date, c.Time);
    EXPECT_EQ(s.DecimalSeparator, c.WantDecimal);
    EXPECT_EQ(s.ThousandSeparator, c.WantThousand);
    EXPECT_EQ(s.DateSeparator, c.WantDate);
    EXPECT_EQ(s.TimeSeparator, c.WantTime);
}

INSTANTIATE_TEST_SUITE_P(
    Locales, MakeFormatSettingsTest,
    testing::Values(LocaleCase{'.', ',', '/', ':', '.', ',', '/', ':'},       // English
                    LocaleCase{',', '.', '.', ':', ',', '.', '.', ':'},       // German
                    LocaleCase{',', 0x202F, '/', ':', ',', '.', '/', ':'},    // French
                    LocaleCase{'.', ' ', '-', ':', '.', ',', '-', ':'},       // blank grouping
                    LocaleCase{0x066B, 0x066C, '/', ':', '.', ',', '/', ':'}, // Arabic
                    LocaleCase{':', ',', '/', ':', '.', ',', '/', ':'},       // decimal = time sep
                    LocaleCase{'E', ',', '/', ':', '.', ',', '/', ':'},       // reads as exponent
                    LocaleCase{',', ',', '/', ':', ',', '.', '/', ':'},       // decimal = thousands
                    LocaleCase{'.', ',', '.', ':', '.', ',', '/', ':'},       // date = decimal
                    LocaleCase{'.', ',', '/', '.', '.', ',', '/', ':'},       // time = decimal
                    LocaleCase{'5', '-', '/', ':', '.', ',', '/', ':'},       // digits, signs never
                    // The time separator meets neither the thousands nor the
                    // date separator in any text: both may be '.'.
                    LocaleCase{',', 0xA0, '.', '.', ',', '.', '.', '.'},  // Finnish
                    LocaleCase{',', '.', '.', '.', ',', '.', '.', '.'})); // Danish

TEST(FormatSettingsScopeTest, RestoresThePreviousCharacters) {
    const FormatSettings before = CurrentFormat();
    {
        FormatSettingsScope scope(FormatSettings{',', '.', '-', ':'});
        EXPECT_EQ(CurrentFormat().DecimalSeparator, ',');
        EXPECT_EQ(CurrentFormat().DateSeparator, '-');
    }
    EXPECT_EQ(CurrentFormat().DecimalSeparator, before.DecimalSeparator);
    EXPECT_EQ(CurrentFormat().DateSeparator, before.DateSeparator);
}

} // namespace
