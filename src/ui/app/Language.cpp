#include "ui/app/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace pexa {

namespace {

// Built from translations/pexa_ja.ts into the program's resources.
constexpr const char* kJapaneseTranslation = ":/i18n/pexa_ja.qm";
// Qt's own texts (the font and colour choosers, the standard buttons), as the
// system's Qt installs them.
constexpr const char* kQtJapaneseTranslation = "qtbase_ja";

UiLanguage chosenLanguage = UiLanguage::Automatic;
bool japaneseInEffect = false;

std::string_view Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool EqualsIgnoringCase(std::string_view text, std::string_view lower) {
    if (text.size() != lower.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c =
            text[i] >= 'A' && text[i] <= 'Z' ? static_cast<char>(text[i] - 'A' + 'a') : text[i];
        if (c != lower[i])
            return false;
    }
    return true;
}

QTranslator* JapaneseTranslator() {
    static QPointer<QTranslator> translator;
    if (translator.isNull()) {
        auto* created = new QTranslator(QCoreApplication::instance());
        if (!created->load(QString::fromLatin1(kJapaneseTranslation)))
            qWarning("The Japanese translation is missing from the program");
        translator = created;
    }
    return translator;
}

QString QtTranslationsFolder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

// Without Qt's own translation Qt's dialogs stay English; the program works
// on, and the warning names the package that brings it.
QTranslator* QtJapaneseTranslator() {
    static QPointer<QTranslator> translator;
    if (translator.isNull()) {
        auto* created = new QTranslator(QCoreApplication::instance());
        if (!created->load(QString::fromLatin1(kQtJapaneseTranslation), QtTranslationsFolder()))
            qWarning("Qt's Japanese translation is missing from %s (Debian package "
                     "qt6-translations-l10n): Qt's dialogs stay English",
                     qPrintable(QtTranslationsFolder()));
        translator = created;
    }
    return translator;
}

} // namespace

UiLanguage LanguageOfSetting(std::string_view value) {
    const std::string_view text = Trimmed(value);
    if (EqualsIgnoringCase(text, "en"))
        return UiLanguage::English;
    if (EqualsIgnoringCase(text, "ja"))
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

bool ShowsJapanese(UiLanguage language, const QStringList& desktopLanguages) {
    switch (language) {
    case UiLanguage::English:
        return false;
    case UiLanguage::Japanese:
        return true;
    case UiLanguage::Automatic:
        break;
    }
    // "ja", "ja-JP", "ja_JP.UTF-8": the language part alone decides.
    if (desktopLanguages.isEmpty())
        return false;
    const QString first = desktopLanguages.front();
    return first.compare(QLatin1String("ja"), Qt::CaseInsensitive) == 0 ||
           first.startsWith(QLatin1String("ja-"), Qt::CaseInsensitive) ||
           first.startsWith(QLatin1String("ja_"), Qt::CaseInsensitive);
}

void ApplyLanguage(UiLanguage language) {
    chosenLanguage = language;
    const bool japanese = ShowsJapanese(language, QLocale::system().uiLanguages());
    if (japanese == japaneseInEffect)
        return;
    japaneseInEffect = japanese;
    if (QCoreApplication::instance() == nullptr)
        return;
    if (japanese) {
        QCoreApplication::installTranslator(QtJapaneseTranslator());
        QCoreApplication::installTranslator(JapaneseTranslator());
    } else {
        QCoreApplication::removeTranslator(JapaneseTranslator());
        QCoreApplication::removeTranslator(QtJapaneseTranslator());
    }
}

UiLanguage ChosenLanguage() {
    return chosenLanguage;
}

bool JapaneseInEffect() {
    return japaneseInEffect;
}

QString CommandText(const char* text) {
    if (text == nullptr || *text == '\0')
        return QString();
    return QCoreApplication::translate("Command", text);
}

} // namespace pexa
