#include "ui/app/FixedPitchFont.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QList>
#include <QPointF>
#include <QRawFont>

#include <cmath>
#include <optional>

namespace pexa {

namespace {

// What the character bar's columns draw: hexadecimal digits, letters from the
// narrowest to the widest, the underscore that stands for what cannot be shown,
// and the space between columns.
const char* const kColumnCharacters = "0123456789ABCDEFiWm_ ";

// Hinted advances of a fixed-pitch font are equal to the pixel; this leaves
// room for rounding only.
constexpr qreal kAdvanceTolerance = 1.0 / 64;

// base's size and style in another family; base's other families stay as the
// fallback for what the family does not draw.
QFont InFamily(const QFont& base, const QString& family) {
    QFont font = base;
    QStringList families = base.families();
    families.removeAll(family);
    families.prepend(family);
    font.setFamilies(families);
    // A style name belongs to base's family and would override weight and
    // slant in another one.
    font.setStyleName(QString());
    return font;
}

// The first of the families that is installed and draws base's size and
// style with fixed pitch.
std::optional<QFont> FirstFixed(const QFont& base, const QStringList& families) {
    for (const QString& family : families) {
        if (family.isEmpty() || !QFontDatabase::hasFamily(family))
            continue;
        if (const QFont font = InFamily(base, family); DrawsFixedPitch(font))
            return font;
    }
    return std::nullopt;
}

// The family the desktop's fixed-pitch font resolves to (the desktop names a
// generic alias such as "monospace").
QString DesktopFixedFamily() {
    return QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
}

// Families that are monospaced for Latin text on Linux desktops, most wanted
// first; measured like any other before one is taken.
const char* const kMonospaceFamilies[] = {
    "DejaVu Sans Mono", "Noto Sans Mono", "Liberation Mono", "Ubuntu Mono",
    "Source Code Pro",  "Cascadia Mono",  "Fira Mono",       "Hack",
    "Inconsolata",      "Noto Mono",      "Courier Prime",   "FreeMono",
};

// The desktop's fixed-pitch family first, then the well-known ones.
QStringList UsualMonospaceFamilies() {
    QStringList families{DesktopFixedFamily()};
    for (const char* family : kMonospaceFamilies)
        families << QString::fromLatin1(family);
    return families;
}

QStringList FamiliesReportedFixed() {
    QStringList fixed;
    for (const QString& family : QFontDatabase::families()) {
        if (!QFontDatabase::isPrivateFamily(family) && QFontDatabase::isFixedPitch(family))
            fixed << family;
    }
    return fixed;
}

QFont TypewriterFallback(const QFont& base) {
    QFont font = base;
    font.setFixedPitch(true);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

} // namespace

bool DrawsFixedPitch(const QFont& font) {
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid())
        return false;
    const QList<quint32> glyphs = raw.glyphIndexesForString(QString::fromLatin1(kColumnCharacters));
    if (glyphs.isEmpty() || glyphs.contains(0u))
        return false;
    const QList<QPointF> advances = raw.advancesForGlyphIndexes(glyphs);
    if (advances.size() != glyphs.size() || advances.front().x() <= 0)
        return false;
    for (const QPointF& advance : advances) {
        if (std::abs(advance.x() - advances.front().x()) > kAdvanceTolerance)
            return false;
    }
    return true;
}

QFont FixedPitchFont(const QFont& base, const QStringList& candidates) {
    if (DrawsFixedPitch(base))
        return base;
    return FirstFixed(base, candidates).value_or(TypewriterFallback(base));
}

QFont FixedPitchFont(const QFont& base) {
    if (DrawsFixedPitch(base))
        return base;
    // The database's list is long; it is read only when the usual families fail.
    if (std::optional<QFont> font = FirstFixed(base, UsualMonospaceFamilies()))
        return *font;
    return FirstFixed(base, FamiliesReportedFixed()).value_or(TypewriterFallback(base));
}

} // namespace pexa
