#include "settings/LanguageSetting.h"

#include <gtest/gtest.h>

namespace pexa {
namespace {

// A value reads as its language and writes back as one that reads the same;
// anything unknown is the desktop's language.
TEST(LanguageSetting, ValuesReadAndWriteBack) {
    const struct {
        std::string_view Value;
        UiLanguage Language;
    } cases[] = {
        {"auto", UiLanguage::Automatic},    {"en", UiLanguage::English},
        {"ja", UiLanguage::Japanese},       {" JA ", UiLanguage::Japanese},
        {"", UiLanguage::Automatic},        {"fr", UiLanguage::Automatic},
        {"english", UiLanguage::Automatic},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LanguageOfSetting(c.Value), c.Language) << c.Value;
        EXPECT_EQ(LanguageOfSetting(SettingOfLanguage(LanguageOfSetting(c.Value))), c.Language)
            << c.Value;
    }
}

} // namespace
} // namespace pexa
