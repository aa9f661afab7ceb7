#pragma once

#include "engine/Refusal.h"

#include <QString>

namespace pexa {

// The message the active bar shows for a refused paste or operation, in the
// interface language; pasted is the text the refusal is about (already cut
// to the refusal's range). Empty for a refusal whose reason the bar already
// shows (its error).
QString RefusalText(const Refusal& refusal, const QString& pasted);

// What a bar shows in place of its value while the entry in another bar
// denotes no valid value.
QString NoValidValueText();

// The text as a message quotes it: control characters as "_", at most 40
// characters and then "…".
QString QuotedText(const QString& text);

} // namespace pexa
