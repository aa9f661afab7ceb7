#include "ui/toolkit/TextMetrics.h"

#include <QFontMetrics>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <vector>

namespace pexa {

namespace {

// Few fonts are in use at a time; a full cache is simply emptied. The bars
// measure in the font they measured in last, so that one is tried first;
// comparing fonts is much cheaper than building a key for them.
constexpr std::size_t kCachedFonts = 16;

struct CachedMetrics {
    QFont Font;
    QFontMetrics Metrics;
};

std::vector<CachedMetrics>& Cache() {
    static std::vector<CachedMetrics> cache = [] {
        std::vector<CachedMetrics> reserved;
        reserved.reserve(kCachedFonts);
        return reserved;
    }();
    return cache;
}

std::size_t lastUsed = 0;

const QFontMetrics& MetricsOf(const QFont& font) {
    std::vector<CachedMetrics>& cache = Cache();
    if (lastUsed < cache.size() && cache[lastUsed].Font == font)
        return cache[lastUsed].Metrics;
    for (std::size_t i = 0; i < cache.size(); ++i) {
        if (cache[i].Font == font) {
            lastUsed = i;
            return cache[i].Metrics;
        }
    }
    if (cache.size() >= kCachedFonts)
        cache.clear();
    cache.push_back({font, QFontMetrics(font)});
    lastUsed = cache.size() - 1;
    return cache.back().Metrics;
}

} // namespace

int TextWidth(const QFont& font, const QString& text) {
    if (text.isEmpty())
        return 0;
    return MetricsOf(font).horizontalAdvance(text);
}

// One line laid out as a label lays out its text (no wrapping, the default
// tab stops), without the rest of the label's formatting pass: the width a
// value needs is asked on every keystroke.
int DrawnTextWidth(const QFont& font, const QString& text) {
    if (text.isEmpty())
        return 0;
    QTextLayout layout(text, font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    constexpr int unlimited = 0x01000000;
    line.setLineWidth(unlimited);
    layout.endLayout();
    const int advance = qRound(line.horizontalAdvance());
    const int ink = static_cast<int>(std::ceil(line.naturalTextWidth()));
    return std::max(advance, ink);
}

int DrawnWidthMemo::Of(const QFont& font, const QString& text) {
    if (width_ < 0 || generation_ != TextMetricsGeneration() || text_ != text || !(font_ == font)) {
        width_ = DrawnTextWidth(font, text);
        font_ = font;
        text_ = text;
        generation_ = TextMetricsGeneration();
    }
    return width_;
}

int TextHeight(const QFont& font, const QString& /*text*/) {
    return MetricsOf(font).height();
}

QSize TextExtent(const QFont& font, const QString& text) {
    return QSize(TextWidth(font, text), TextHeight(font, text));
}

int WidestText(const QFont& font, const QStringList& texts) {
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, TextWidth(font, text));
    return widest;
}

int WidestText(const QFont& font, std::initializer_list<QString> texts) {
    int widest = 0;
    for (const QString& text : texts)
        widest = std::max(widest, TextWidth(font, text));
    return widest;
}

QString StripAccessMarks(const QString& caption) {
    QString plain;
    plain.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            ++i; // the next character is drawn (underlined, or a literal '&')
            if (i >= caption.size())
                break;
        }
        plain.append(caption[i]);
    }
    return plain;
}

QString AddAccessMark(const QString& label, char key) {
    if (key == '\0') {
        return label;
    }
    const QChar keyChar = QChar::fromLatin1(key).toUpper();
    for (qsizetype i = 0; i < label.size(); ++i) {
        if (label[i].toUpper() == keyChar) {
            QString marked = label;
            marked.insert(i, QLatin1Char('&'));
            return marked;
        }
    }
    return label;
}

namespace {
unsigned generation = 0;
} // namespace

void ClearTextMetricsCache() {
    Cache().clear();
    lastUsed = 0;
    ++generation;
}

unsigned TextMetricsGeneration() {
    return generation;
}

} // namespace pexa
