#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

namespace pexa {

// Whether the font draws the characters of the character bar's columns (digits,
// letters, "_" and the space) all with one advance. Measured on the font file
// that the font resolves to, not on what the file or fontconfig claims: a
// family such as "Noto Sans Mono" is reported proportional and is fixed for
// these characters, and a font may claim fixed pitch and not be.
bool DrawsFixedPitch(const QFont& font);

// The font with fixed pitch for the character bar: base itself when its own
// family draws with fixed pitch, else base's size and style in the first of
// the candidate families that is installed and draws with fixed pitch. When
// none does, base asks for the typewriter style and lets the font matching
// choose.
QFont FixedPitchFont(const QFont& base, const QStringList& candidates);

// The same, with the candidates this machine offers: the desktop's fixed-pitch
// family, well-known monospaced families, then every family the font
// database reports fixed.
QFont FixedPitchFont(const QFont& base);

} // namespace pexa
