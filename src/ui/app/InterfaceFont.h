#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>
#include <thread>

namespace pexa {

// What the font choice needs to know about the installed fonts.
struct FontCatalog {
    // Whether a family is installed.
    std::function<bool(const QString& family)> Has;
    // Whether a family draws Japanese; such fonts often bring fixed-width
    // Latin letters and draw "\" as a yen sign and "~" as an overline.
    std::function<bool(const QString& family)> DrawsJapanese;
};

// The families the interface draws with, in fallback order: a proportional
// Latin font for Latin text (the desktop's own when it is one), then a
// Japanese font whose ASCII is ASCII for the rest.
QStringList InterfaceFamilies(const QString& desktopFamily, const FontCatalog& catalog);

// The desktop's interface font with those families.
QFont InterfaceFont();

// Reads the system's font configuration (fontconfig's files and caches) in a
// thread of its own from construction on, so that it overlaps creating the
// application object, which takes about as long; the interface font is the
// first to need it. Wait returns once it is read; the destructor waits too.
class FontConfigurationReader {
public:
    FontConfigurationReader();
    ~FontConfigurationReader();
    FontConfigurationReader(const FontConfigurationReader&) = delete;
    FontConfigurationReader& operator=(const FontConfigurationReader&) = delete;

    void Wait();

private:
    std::thread thread_;
};

} // namespace pexa
