#include "settings/LanguageSetting.h"

#include "settings/IniLines.h"

namespace pexa {

UiLanguage LanguageOfSetting(std::string_view value) {
    const std::string_view text = ini::Trim(value);
    if (ini::EqualsIgnoreCase(text, "en"))
        return UiLanguage::English;
    if (ini::EqualsIgnoreCase(text, "ja"))
        return UiLanguage::Japanese;
    return UiLanguage::Automatic;
}

std::string_view SettingOfLanguage(UiLanguage language) {
    switch (language) {
    case UiLanguage::English:
        return "en";
    case UiLanguage::Japanese:
        return "ja";
    case UiLanguage::Automatic:
        break;
    }
    return "auto";
}

} // namespace pexa
