#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <QStringList>

#include <initializer_list>

namespace pexa {

// Text measurement in a font, on the user-interface thread. The font
// metrics of the last few fonts are kept, since the bars measure the same
// few fonts again and again.

// Advance width of the text (what the text occupies when drawn).
int TextWidth(const QFont& font, const QString& text);
// What a label needs to draw the text on one line uncut: its advance, or
// more where the last glyph's ink reaches past it (an italic "f").
int DrawnTextWidth(const QFont& font, const QString& text);
// The drawn width of one text that is asked for more often than it changes.
class DrawnWidthMemo {
public:
    int Of(const QFont& font, const QString& text);

private:
    QFont font_;
    QString text_;
    unsigned generation_ = 0;
    int width_ = -1;
};

// Line height of the font (the same for every single-line text).
int TextHeight(const QFont& font, const QString& text = QString());
QSize TextExtent(const QFont& font, const QString& text);
// The largest TextWidth of the texts (0 for none).
int WidestText(const QFont& font, const QStringList& texts);
int WidestText(const QFont& font, std::initializer_list<QString> texts);

// The caption without its access marks, as drawn: "&Hex" → "Hex",
// "A&&B" → "A&B". A trailing single '&' is dropped.
QString StripAccessMarks(const QString& caption);
// Marks the first character of the label that equals key, ignoring case, as
// its access key: ("Hex", 'x') → "He&x". No key ('\0') or no such character
// leaves the label as it is.
QString AddAccessMark(const QString& label, char key);

// Empties the metrics cache (e.g. after the screen's resolution changed).
void ClearTextMetricsCache();
// Changes each time the cache is emptied on purpose: widths a caller keeps
// for itself are stale once it differs from the value they were measured at.
unsigned TextMetricsGeneration();

} // namespace pexa
