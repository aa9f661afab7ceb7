#pragma once

#include "settings/LanguageSetting.h"

#include <QString>
#include <QStringList>

namespace pexa {

// Whether a choice shows Japanese, given the desktop's UI languages in order
// of preference: Automatic follows the first of them only.
bool ShowsJapanese(UiLanguage language, const QStringList& desktopLanguages);

// Shows the interface in that language from now on: the Japanese
// translation built into the program and Qt's own for its dialogs are
// installed or removed, and Qt tells every window to retranslate itself.
// Number characters are not touched: they follow the locale whatever the
// language.
void ApplyLanguage(UiLanguage language);
UiLanguage ChosenLanguage();
// Whether the interface is Japanese now.
bool JapaneseInEffect();

// A caption or hint of the command table, translated. Every command text put
// on an action, button, menu or tooltip goes through here.
QString CommandText(const char* text);

} // namespace pexa
