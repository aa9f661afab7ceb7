#include "engine/ExpressionError.h"

#include <utility>

namespace pexa {

const char* ExpressionSyntaxName(ExpressionSyntax kind) {
    switch (kind) {
    case ExpressionSyntax::Empty:
        return "Empty";
    case ExpressionSyntax::UnexpectedCharacter:
        return "UnexpectedCharacter";
    case ExpressionSyntax::UnexpectedToken:
        return "UnexpectedToken";
    case ExpressionSyntax::ExpectedValue:
        return "ExpectedValue";
    case ExpressionSyntax::MissingCloseParen:
        return "MissingCloseParen";
    case ExpressionSyntax::MissingOpenParen:
        return "MissingOpenParen";
    case ExpressionSyntax::BadDigit:
        return "BadDigit";
    case ExpressionSyntax::MissingDigits:
        return "MissingDigits";
    case ExpressionSyntax::MisplacedSeparator:
        return "MisplacedSeparator";
    case ExpressionSyntax::NumberTooLarge:
        return "NumberTooLarge";
    case ExpressionSyntax::RealNeedsRealMode:
        return "RealNeedsRealMode";
    case ExpressionSyntax::MissingExponent:
        return "MissingExponent";
    case ExpressionSyntax::UnterminatedCharacter:
        return "UnterminatedCharacter";
    case ExpressionSyntax::EmptyCharacter:
        return "EmptyCharacter";
    case ExpressionSyntax::TooManyCharacters:
        return "TooManyCharacters";
    case ExpressionSyntax::BadEscape:
        return "BadEscape";
    case ExpressionSyntax::UnencodableCharacter:
        return "UnencodableCharacter";
    case ExpressionSyntax::UnknownName:
        return "UnknownName";
    case ExpressionSyntax::UnknownFunction:
        return "UnknownFunction";
    case ExpressionSyntax::WrongArgumentCount:
        return "WrongArgumentCount";
    case ExpressionSyntax::TooDeep:
        return "TooDeep";
    }
    return "Unknown";
}

void ThrowSyntax(ExpressionSyntax kind, std::size_t offset, std::string subject, int base,
                 int argumentCount) {
    ExpressionSyntaxFailure failure;
    failure.Error.Kind = kind;
    failure.Error.Subject = std::move(subject);
    failure.Error.Base = base;
    failure.Error.ArgumentCount = argumentCount;
    failure.Offset = offset;
    throw failure;
}

} // namespace pexa
