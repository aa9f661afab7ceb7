#include "cli/ExpressionMessage.h"

namespace pexa {

namespace {

std::string At(const std::string& message, int position) {
    return message + " at " + std::to_string(position);
}

const char* BaseName(int base) {
    switch (base) {
    case 2:
        return "binary";
    case 8:
        return "octal";
    case 16:
        return "hexadecimal";
    default:
        return "decimal";
    }
}

std::string DigitMessage(int base) {
    const std::string name = BaseName(base);
    return (base == 8 ? "Not an " : "Not a ") + name + " digit";
}

std::string ArgumentCountMessage(const ExpressionSyntaxError& error) {
    return ShownSubject(error.Subject) + " takes " + std::to_string(error.ArgumentCount) +
           (error.ArgumentCount == 1 ? " argument" : " arguments");
}

// The message without its place.
std::string SyntaxText(const ExpressionSyntaxError& error) {
    const std::string subject = ShownSubject(error.Subject);
    switch (error.Kind) {
    case ExpressionSyntax::Empty:
        return "Empty expression";
    case ExpressionSyntax::UnexpectedCharacter:
        return "Unexpected character: " + subject;
    case ExpressionSyntax::UnexpectedToken:
        return "Expected an operator: " + subject;
    case ExpressionSyntax::ExpectedValue:
        return subject.empty() ? "Missing value" : "Expected a value: " + subject;
    case ExpressionSyntax::MissingCloseParen:
        return "Missing ')'";
    case ExpressionSyntax::MissingOpenParen:
        return "Missing '(' after " + subject;
    case ExpressionSyntax::BadDigit:
        return DigitMessage(error.Base) + ": " + subject;
    case ExpressionSyntax::MissingDigits:
        return std::string("Missing ") + BaseName(error.Base) + " digits";
    case ExpressionSyntax::MisplacedSeparator:
        return "Misplaced digit separator";
    case ExpressionSyntax::NumberTooLarge:
        return "Number too large for the mode";
    case ExpressionSyntax::RealNeedsRealMode:
        return "Fractions and exponents need Real mode";
    case ExpressionSyntax::MissingExponent:
        return "Missing exponent digits";
    case ExpressionSyntax::UnterminatedCharacter:
        return "Missing closing quote of a character";
    case ExpressionSyntax::EmptyCharacter:
        return "Empty character";
    case ExpressionSyntax::TooManyCharacters:
        return "More than one character in quotes";
    case ExpressionSyntax::BadEscape:
        return "Unknown escape: \\" + subject;
    case ExpressionSyntax::UnencodableCharacter:
        return "Not in the character encoding: " + subject;
    case ExpressionSyntax::UnknownName:
        return "Unknown name: " + subject;
    case ExpressionSyntax::UnknownFunction:
        return "Unknown function: " + subject;
    case ExpressionSyntax::WrongArgumentCount:
        return ArgumentCountMessage(error);
    case ExpressionSyntax::TooDeep:
        return "Nested too deeply";
    }
    return "Not an expression";
}

} // namespace

std::string CalcErrorMessage(CalcErrorKind kind) {
    switch (kind) {
    case CalcErrorKind::DivideByZero:
        return "Cannot divide by zero";
    case CalcErrorKind::Overflow:
        return "Overflow";
    case CalcErrorKind::Underflow:
        return "Underflow";
    case CalcErrorKind::InvalidOperation:
        return "Invalid operation";
    case CalcErrorKind::InvalidArgument:
        return "Invalid value";
    case CalcErrorKind::MathError:
        break;
    }
    return "Math error";
}

std::string SyntaxErrorMessage(const ExpressionSyntaxError& error) {
    // Nothing was written, so there is no place to name.
    if (error.Kind == ExpressionSyntax::Empty)
        return SyntaxText(error);
    return At(SyntaxText(error), error.Position);
}

std::string CalcFailureMessage(const ExpressionCalcFailure& failure) {
    return At(CalcErrorMessage(failure.Kind), failure.Position);
}

std::string ExpressionResultMessage(const ExpressionResult& result) {
    if (result.Syntax)
        return SyntaxErrorMessage(*result.Syntax);
    if (result.Failure)
        return CalcFailureMessage(*result.Failure);
    return {};
}

} // namespace pexa
