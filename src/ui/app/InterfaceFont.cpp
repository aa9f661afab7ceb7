#include "ui/app/InterfaceFont.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <fontconfig/fontconfig.h>

namespace pexa {

namespace {

// Proportional Latin families found on Linux desktops, most wanted first.
const char* const kLatinFamilies[] = {"Noto Sans", "DejaVu Sans", "Liberation Sans", "Cantarell"};
// Japanese families whose backslash and tilde are the ASCII ones.
const char* const kJapaneseFamilies[] = {"Noto Sans CJK JP", "Noto Sans JP", "Source Han Sans JP"};

// The catalog of the fonts installed on this machine.
FontCatalog InstalledFonts() {
    FontCatalog catalog;
    catalog.Has = [](const QString& family) { return QFontDatabase::hasFamily(family); };
    catalog.DrawsJapanese = [](const QString& family) {
        return QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese);
    };
    return catalog;
}

} // namespace

QStringList InterfaceFamilies(const QString& desktopFamily, const FontCatalog& catalog) {
    QStringList families;
    if (!desktopFamily.isEmpty() && !catalog.DrawsJapanese(desktopFamily)) {
        families << desktopFamily;
    } else {
        for (const char* latin : kLatinFamilies) {
            const QString family = QString::fromLatin1(latin);
            if (catalog.Has(family) && !catalog.DrawsJapanese(family)) {
                families << family;
                break;
            }
        }
    }
    for (const char* japanese : kJapaneseFamilies) {
        const QString family = QString::fromLatin1(japanese);
        if (catalog.Has(family)) {
            families << family;
            break;
        }
    }
    // The desktop's font stays the last resort for what no other draws.
    if (!desktopFamily.isEmpty() && !families.contains(desktopFamily))
        families << desktopFamily;
    return families;
}

QFont InterfaceFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    // The family the desktop's font really resolves to (a generic "Sans"
    // may resolve to a Japanese font under a Japanese locale).
    const QString desktop = QFontInfo(font).family();
    font.setFamilies(InterfaceFamilies(desktop, InstalledFonts()));
    return font;
}

// Qt reads the same configuration through the same library, which keeps one
// configuration per process: once it is read here, Qt finds it read. A
// failure here leaves Qt to try again and report it.
FontConfigurationReader::FontConfigurationReader() : thread_([] { FcInit(); }) {}

FontConfigurationReader::~FontConfigurationReader() {
    Wait();
}

void FontConfigurationReader::Wait() {
    if (thread_.joinable())
        thread_.join();
}

} // namespace pexa
