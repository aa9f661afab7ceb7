#include "ui/app/FontChoice.h"

#include "settings/Profile.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace pexa {

namespace {

bool SameFace(const QFont& a, const QFont& b) {
    return a.weight() == b.weight() && a.style() == b.style() && a.styleName() == b.styleName();
}

QFont WithFaceOf(QFont font, const QFont& face) {
    font.setWeight(face.weight());
    font.setStyle(face.style());
    font.setStyleName(face.styleName());
    return font;
}

// A size the settings would refuse at the next start is brought into range now.
QFont WithSizeKept(QFont font) {
    if (font.pointSizeF() > MaxFontSize)
        font.setPointSize(MaxFontSize);
    else if (font.pointSizeF() > 0 && font.pointSizeF() < MinFontSize)
        font.setPointSize(MinFontSize);
    return font;
}

} // namespace

QFont FontForChooser(const QFont& font) {
    const QFontInfo drawn(font);
    // A generic name ("Sans Serif") resolves to another family, whose face
    // names the chooser would not find under the generic one.
    if (drawn.family() != font.family())
        return font;
    const QString face = drawn.styleName();
    if (face.isEmpty() || !QFontDatabase::styles(font.family()).contains(face))
        return font;
    QFont named = font;
    named.setStyleName(face);
    return named;
}

QFont ChosenFont(const QFont& current, const QFont& offered, const QFont& selected) {
    QFont chosen = current;
    if (selected.family() != offered.family()) {
        chosen = selected;
    } else if (!SameFace(selected, offered)) {
        chosen = WithFaceOf(current, selected);
    }
    if (selected.pointSize() != offered.pointSize() && selected.pointSize() > 0)
        chosen.setPointSize(selected.pointSize());
    if (selected.underline() != offered.underline())
        chosen.setUnderline(selected.underline());
    if (selected.strikeOut() != offered.strikeOut())
        chosen.setStrikeOut(selected.strikeOut());
    return WithSizeKept(chosen);
}

} // namespace pexa
