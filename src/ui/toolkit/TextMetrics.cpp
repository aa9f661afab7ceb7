#include "ui/toolkit/TextMetrics.h"

#include <QFontMetrics>
#include <QHash>

#include <algorithm>

namespace pexa {

namespace {

// Few fonts are in use at a time; a full cache is simply emptied.
constexpr qsizetype kCachedFonts = 16;

QHash<QString, QFontMetrics>& Cache() {
    static QHash<QString, QFontMetrics> cache;
    return cache;
}

const QFontMetrics& MetricsOf(const QFont& font) {
    QHash<QString, QFontMetrics>& cache = Cache();
    const QString key = font.key();
    auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    if (cache.size() >= kCachedFonts)
        cache.clear();
    return *cache.insert(key, QFontMetrics(font));
}

} // namespace

int TextWidth(const QFont& font, const QString& text) {
    if (text.isEmpty())
        return 0;
    return MetricsOf(font).horizontalAdvance(text);
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

namespace {
unsigned generation = 0;
} // namespace

void ClearTextMetricsCache() {
    Cache().clear();
    ++generation;
}

unsigned TextMetricsGeneration() {
    return generation;
}

} // namespace pexa
