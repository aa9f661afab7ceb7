#include "engine/ExpressionError.h"

#include <cstdio>

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

namespace {

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

} // namespace

std::string ShownSubject(const std::string& subject) {
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

} // namespace pexa
