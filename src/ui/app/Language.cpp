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

// A translator made once and kept; a file that does not load leaves it empty
// (the texts stay English) and is reported.
QTranslator* KeptTranslator(QPointer<QTranslator>& kept, const QString& file, const QString& folder,
                            const char* missing) {
    if (kept.isNull()) {
        kept = new QTranslator(QCoreApplication::instance());
        if (!kept->load(file, folder))
            qWarning("%s", missing);
    }
    return kept;
}

QTranslator* JapaneseTranslator() {
    static QPointer<QTranslator> translator;
    return KeptTranslator(translator, QString::fromLatin1(kJapaneseTranslation), QString(),
                          "The Japanese translation is missing from the program");
}

// Without Qt's own translation Qt's dialogs stay English; the program works
// on, and the warning names the package that brings it.
QTranslator* QtJapaneseTranslator() {
    static QPointer<QTranslator> translator;
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    const QByteArray missing = "Qt's Japanese translation is missing from " + folder.toLocal8Bit() +
                               " (Debian package qt6-translations-l10n): Qt's dialogs stay English";
    return KeptTranslator(translator, QString::fromLatin1(kQtJapaneseTranslation), folder,
                          missing.constData());
}

} // namespace

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
