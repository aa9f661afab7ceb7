#pragma once

#include <string_view>

namespace pexa {

// The interface language the user chose: the desktop's, or one named.
enum class UiLanguage { Automatic, English, Japanese };

// The pexa.ini value ("auto", "en", "ja", any case, blanks around ignored);
// anything else is Automatic, so a damaged file never locks the user out.
UiLanguage LanguageOfSetting(std::string_view value);
// The value written for a choice.
std::string_view SettingOfLanguage(UiLanguage language);

} // namespace pexa
