#include "ui/text/ExpressionMessageText.h"

#include "ui/text/CalcErrorText.h"

#include <QCoreApplication>

namespace pexa {

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("ExpressionMessage", text);
}

QString DigitText(int base, const QString& subject) {
    switch (base) {
    case 2:
        return Tr("Not a binary digit: %1").arg(subject);
    case 8:
        return Tr("Not an octal digit: %1").arg(subject);
    case 16:
        return Tr("Not a hexadecimal digit: %1").arg(subject);
    default:
        return Tr("Not a decimal digit: %1").arg(subject);
    }
}

QString MissingDigitsText(int base) {
    switch (base) {
    case 2:
        return Tr("Missing binary digits");
    case 8:
        return Tr("Missing octal digits");
    case 16:
        return Tr("Missing hexadecimal digits");
    default:
        return Tr("Missing decimal digits");
    }
}

// The message without its place.
QString SyntaxText(const ExpressionSyntaxError& error) {
    const QString subject = QString::fromUtf8(ShownSubject(error.Subject));
    switch (error.Kind) {
    case ExpressionSyntax::Empty:
        return Tr("Empty expression");
    case ExpressionSyntax::UnexpectedCharacter:
        return Tr("Unexpected character: %1").arg(subject);
    case ExpressionSyntax::UnexpectedToken:
        return Tr("Expected an operator: %1").arg(subject);
    case ExpressionSyntax::ExpectedValue:
        return subject.isEmpty() ? Tr("Missing value") : Tr("Expected a value: %1").arg(subject);
    case ExpressionSyntax::MissingCloseParen:
        return Tr("Missing ')'");
    case ExpressionSyntax::MissingOpenParen:
        return Tr("Missing '(' after %1").arg(subject);
    case ExpressionSyntax::BadDigit:
        return DigitText(error.Base, subject);
    case ExpressionSyntax::MissingDigits:
        return MissingDigitsText(error.Base);
    case ExpressionSyntax::MisplacedSeparator:
        return Tr("Misplaced digit separator");
    case ExpressionSyntax::NumberTooLarge:
        return Tr("Number too large for the mode");
    case ExpressionSyntax::RealNeedsRealMode:
        return Tr("Fractions and exponents need Real mode");
    case ExpressionSyntax::MissingExponent:
        return Tr("Missing exponent digits");
    case ExpressionSyntax::UnterminatedCharacter:
        return Tr("Missing closing quote of a character");
    case ExpressionSyntax::EmptyCharacter:
        return Tr("Empty character");
    case ExpressionSyntax::TooManyCharacters:
        return Tr("More than one character in quotes");
    case ExpressionSyntax::BadEscape:
        return Tr("Unknown escape: \\%1").arg(subject);
    case ExpressionSyntax::UnencodableCharacter:
        return Tr("Not in the character encoding: %1").arg(subject);
    case ExpressionSyntax::UnknownName:
        return Tr("Unknown name: %1").arg(subject);
    case ExpressionSyntax::UnknownFunction:
        return Tr("Unknown function: %1").arg(subject);
    case ExpressionSyntax::WrongArgumentCount:
        return error.ArgumentCount == 1
                   ? Tr("%1 takes 1 argument").arg(subject)
                   : Tr("%1 takes %2 arguments").arg(subject).arg(error.ArgumentCount);
    case ExpressionSyntax::TooDeep:
        return Tr("Nested too deeply");
    }
    return Tr("Not an expression");
}

QString At(const QString& message, int position) {
    return Tr("%1 at %2").arg(message).arg(position);
}

} // namespace

QString ExpressionMessageText(const ExpressionResult& result) {
    if (result.Syntax) {
        // Nothing was written, so there is no place to name.
        if (result.Syntax->Kind == ExpressionSyntax::Empty)
            return SyntaxText(*result.Syntax);
        return At(SyntaxText(*result.Syntax), result.Syntax->Position);
    }
    if (result.Failure)
        return At(CalcErrorText(result.Failure->Kind), result.Failure->Position);
    return {};
}

} // namespace pexa
