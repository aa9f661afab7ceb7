#pragma once

#include <QFont>
#include <QString>

#include <array>
#include <optional>

namespace pexa {

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
    int width_ = -1;
};

// A close estimate of a text's drawn width without shaping it: the sum of
// its characters' advances in the font, plus the farthest any of their ink
// reaches past its advance. Shaping a text costs as much as the rest of a
// keystroke; summing a table costs next to nothing. The table is read once
// per font (printable ASCII only, the characters the bars mostly show).
// Kerning and ligatures can make the shaped text differ by a little, so a
// caller keeps a margin and shapes a text that comes close to its limit.
class WidthEstimate {
public:
    // Nothing for an empty text or one with any other character: only
    // shaping can tell its width.
    std::optional<int> Of(const QFont& font, const QString& text);

private:
    static constexpr char16_t kFirst = 0x20;
    static constexpr char16_t kLast = 0x7E;
    void Read(const QFont& font);

    QFont font_;
    bool read_ = false;
    std::array<qreal, kLast - kFirst + 1> advances_{};
    qreal overhang_ = 0;
};

} // namespace pexa
