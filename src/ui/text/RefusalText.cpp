#include "ui/text/RefusalText.h"

#include <QCoreApplication>

namespace pexa {

namespace {

constexpr qsizetype QuotedLength = 40;

// The notation each bar reads, as "Not a … number" names it, in BarKind's order.
constexpr const char* kNotOfNotationTexts[BarKindCount] = {
    QT_TRANSLATE_NOOP("Refusal", "Not a decimal number: %1"),
    QT_TRANSLATE_NOOP("Refusal", "Not a hexadecimal number: %1"),
    QT_TRANSLATE_NOOP("Refusal", "Not an octal number: %1"),
    QT_TRANSLATE_NOOP("Refusal", "Not a binary number: %1"),
    QT_TRANSLATE_NOOP("Refusal", "Not a character this bar takes: %1"),
    QT_TRANSLATE_NOOP("Refusal", "Not an IP address: %1"),
    QT_TRANSLATE_NOOP("Refusal", "Not a degree value: %1"),
    QT_TRANSLATE_NOOP("Refusal", "Not a floating-point number: %1"),
    QT_TRANSLATE_NOOP("Refusal", "Not a date/time: %1"),
    QT_TRANSLATE_NOOP("Refusal", "Not a size: %1"),
};

QString RangeText(const Refusal& refusal) {
    const QString name = QString::fromStdString(refusal.RangeName);
    return refusal.Signed ? QCoreApplication::translate("Refusal", "signed %1").arg(name) : name;
}

} // namespace

QString QuotedText(const QString& text) {
    QString quoted;
    qsizetype characters = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (characters == QuotedLength)
            return quoted + QChar(0x2026);
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            quoted += ch;
            quoted += text.at(++i);
        } else {
            quoted += ch.category() == QChar::Other_Control ? QChar(u'_') : ch;
        }
        ++characters;
    }
    return quoted;
}

QString RefusalText(const Refusal& refusal, const QString& pasted) {
    const QString text = QuotedText(pasted);
    switch (refusal.Kind) {
    case RefusalKind::NotOfNotation:
        return QCoreApplication::translate(
                   "Refusal", kNotOfNotationTexts[static_cast<std::size_t>(refusal.Bar)])
            .arg(text);
    case RefusalKind::TooLarge:
        return QCoreApplication::translate("Refusal", "Too large for %1: %2")
            .arg(RangeText(refusal), text);
    case RefusalKind::TooSmall:
        return QCoreApplication::translate("Refusal", "Too small for %1: %2")
            .arg(RangeText(refusal), text);
    case RefusalKind::TooManyDigits:
        return QCoreApplication::translate("Refusal", "Too many decimals for %1: %2")
            .arg(RangeText(refusal), text);
    case RefusalKind::TooLong:
        return QCoreApplication::translate("Refusal", "Too long for %1: %2")
            .arg(RangeText(refusal), text);
    case RefusalKind::NegativeUnsigned:
        return QCoreApplication::translate("Refusal", "Not an unsigned number: %1").arg(text);
    case RefusalKind::Blank:
        return QCoreApplication::translate("Refusal", "Nothing to paste: only blanks");
    case RefusalKind::OnlySign:
        return QCoreApplication::translate("Refusal", "Only a sign: %1").arg(text);
    case RefusalKind::InvalidUtf8:
        return QCoreApplication::translate("Refusal",
                                           "Not valid UTF-8 text: byte %1 at position %2")
            .arg(text, QString::number(refusal.Offending.value_or(0) + 1));
    case RefusalKind::Blocked:
        return {};
    case RefusalKind::InvalidEntry:
        return QCoreApplication::translate("Refusal", "Not a valid entry: correct it or clear it");
    }
    return {};
}

QString NoValidValueText() {
    return QCoreApplication::translate("Refusal", "No valid value");
}

} // namespace pexa
