#include "ui/text/ExpressionMessageText.h"

#include "ui/text/CalcErrorText.h"

#include <QCoreApplication>

namespace pexa {

namespace {

// The messages' translation context, named where each text is, so that
// lupdate finds them.
struct ExpressionMessage {
    Q_DECLARE_TR_FUNCTIONS(ExpressionMessage)
};

QString DigitText(int base, const QString& subject) {
    switch (base) {
    case 2:
        return ExpressionMessage::tr("Not a binary digit: %1").arg(subject);
    case 8:
        return ExpressionMessage::tr("Not an octal digit: %1").arg(subject);
    case 16:
        return ExpressionMessage::tr("Not a hexadecimal digit: %1").arg(subject);
    default:
        return ExpressionMessage::tr("Not a decimal digit: %1").arg(subject);
    }
}

QString MissingDigitsText(int base) {
    switch (base) {
    case 2:
        return ExpressionMessage::tr("Missing binary digits");
    case 8:
        return ExpressionMessage::tr("Missing octal digits");
    case 16:
        return ExpressionMessage::tr("Missing hexadecimal digits");
    default:
        return ExpressionMessage::tr("Missing decimal digits");
    }
}

// The message without its place.
QString SyntaxText(const ExpressionSyntaxError& error) {
    const QString subject = QString::fromUtf8(ShownSubject(error.Subject));
    switch (error.Kind) {
    case ExpressionSyntax::Empty:
        return ExpressionMessage::tr("Empty expression");
    case ExpressionSyntax::UnexpectedCharacter:
        return ExpressionMessage::tr("Unexpected character: %1").arg(subject);
    case ExpressionSyntax::UnexpectedToken:
        return ExpressionMessage::tr("Expected an operator: %1").arg(subject);
    case ExpressionSyntax::ExpectedValue:
        return subject.isEmpty() ? ExpressionMessage::tr("Missing value")
                                 : ExpressionMessage::tr("Expected a value: %1").arg(subject);
    case ExpressionSyntax::MissingCloseParen:
        return ExpressionMessage::tr("Missing ')'");
    case ExpressionSyntax::MissingOpenParen:
        return ExpressionMessage::tr("Missing '(' after %1").arg(subject);
    case ExpressionSyntax::BadDigit:
        return DigitText(error.Base, subject);
    case ExpressionSyntax::MissingDigits:
        return MissingDigitsText(error.Base);
    case ExpressionSyntax::MisplacedSeparator:
        return ExpressionMessage::tr("Misplaced digit separator");
    case ExpressionSyntax::NumberTooLarge:
        return ExpressionMessage::tr("Number too large for the mode");
    case ExpressionSyntax::RealNeedsRealMode:
        return ExpressionMessage::tr("Fractions and exponents need Real mode");
    case ExpressionSyntax::MissingExponent:
        return ExpressionMessage::tr("Missing exponent digits");
    case ExpressionSyntax::UnterminatedCharacter:
        return ExpressionMessage::tr("Missing closing quote of a character");
    case ExpressionSyntax::EmptyCharacter:
        return ExpressionMessage::tr("Empty character");
    case ExpressionSyntax::TooManyCharacters:
        return ExpressionMessage::tr("More than one character in quotes");
    case ExpressionSyntax::BadEscape:
        return ExpressionMessage::tr("Unknown escape: \\%1").arg(subject);
    case ExpressionSyntax::UnencodableCharacter:
        return ExpressionMessage::tr("Not in the character encoding: %1").arg(subject);
    case ExpressionSyntax::UnknownName:
        return ExpressionMessage::tr("Unknown name: %1").arg(subject);
    case ExpressionSyntax::UnknownFunction:
        return ExpressionMessage::tr("Unknown function: %1").arg(subject);
    case ExpressionSyntax::WrongArgumentCount:
        return error.ArgumentCount == 1 ? ExpressionMessage::tr("%1 takes 1 argument").arg(subject)
                                        : ExpressionMessage::tr("%1 takes %2 arguments")
                                              .arg(subject)
                                              .arg(error.ArgumentCount);
    case ExpressionSyntax::TooDeep:
        return ExpressionMessage::tr("Nested too deeply");
    }
    return ExpressionMessage::tr("Not an expression");
}

QString At(const QString& message, int position) {
    return ExpressionMessage::tr("%1 at %2").arg(message).arg(position);
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
