#include "cli/ExpressionMessage.h"

#include <cstdio>

namespace pexa {

namespace {

std::string At(const std::string& message, int position) {
    return message + " at " + std::to_string(position);
}

// Whether the bytes from i begin a multi-byte UTF-8 sequence (lead and
// continuation bytes in their ranges); the subject is never longer than a
// name or a character, so a plain check is enough.
std::size_t Utf8Length(const std::string& text, std::size_t i) {
    const auto b = static_cast<unsigned char>(text[i]);
    const std::size_t length = b >= 0xF0 && b <= 0xF4   ? 4
                               : b >= 0xE0 && b <= 0xEF ? 3
                               : b >= 0xC2 && b <= 0xDF ? 2
                                                        : 0;
    if (length == 0 || i + length > text.size())
        return 0;
    for (std::size_t k = 1; k < length; ++k) {
        const auto c = static_cast<unsigned char>(text[i + k]);
        if (c < 0x80 || c > 0xBF)
            return 0;
    }
    return length;
}

std::string Shown(const std::string& subject) {
    std::string shown;
    for (std::size_t i = 0; i < subject.size();) {
        const auto b = static_cast<unsigned char>(subject[i]);
        if (b >= 0x20 && b < 0x7F) {
            shown.push_back(subject[i]);
            ++i;
            continue;
        }
        if (const std::size_t length = Utf8Length(subject, i); length > 0) {
            shown.append(subject, i, length);
            i += length;
            continue;
        }
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", b);
        shown += escape;
        ++i;
    }
    return shown;
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
    return Shown(error.Subject) + " takes " + std::to_string(error.ArgumentCount) +
           (error.ArgumentCount == 1 ? " argument" : " arguments");
}

// The message without its place.
std::string SyntaxText(const ExpressionSyntaxError& error) {
    const std::string subject = Shown(error.Subject);
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
