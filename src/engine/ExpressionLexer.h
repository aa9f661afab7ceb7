#pragma once

#include "core/CalcValue.h"
#include "engine/ExpressionError.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

namespace pexa {

enum class TokenKind : std::uint8_t {
    End,
    Number, // an integer or real literal, or a character literal's code
    Name,
    LeftParen,
    RightParen,
    Comma,
    Plus,
    Minus,
    Star,
    Slash,
    Percent,
    Ampersand,
    Bar,
    Caret,
    Tilde,
    Bang,
    ShiftLeft,
    ShiftRight,
    ShiftRightLogical, // >>>
    Power,             // **
};

struct ExpressionToken {
    TokenKind Kind = TokenKind::End;
    std::size_t Offset = 0; // bytes from the start of the text
    std::size_t Length = 0;
    // Number: a real (Real mode only: a fraction, an exponent or a decimal
    // integer) or the exact integer.
    bool IsReal = false;
    std::uint64_t Integer = 0;
    Real RealValue = 0;
};

// The code of a character outside ASCII in the character bar's encoding,
// none for a character it cannot encode.
using CharacterEncoder = std::function<std::optional<std::uint32_t>(char32_t)>;

// Cuts an expression into tokens, one at a time, so that the first mistake
// found is the leftmost one. Literals are read here, against the mode:
// integers must fit its width (64 bits in Real mode), reals only exist in
// Real mode. A mistake throws ExpressionSyntaxFailure.
class ExpressionLexer {
public:
    ExpressionLexer(std::string_view text, CalcValueMode mode, const CharacterEncoder& encoder);
    ExpressionToken Next();

private:
    void SkipBlanks();
    ExpressionToken ReadNumber();
    ExpressionToken ReadCharacter();
    ExpressionToken ReadName();
    std::optional<ExpressionToken> ReadOperator();
    // The digits of an integer in the base from pos_, with separators.
    std::uint64_t ReadDigits(int base, std::size_t literalStart);
    bool ReadRealPart(std::size_t literalStart, ExpressionToken& token);
    bool AtLeadingZeroOctal() const;
    ExpressionToken FinishInteger(ExpressionToken& token, int base);
    void SkipIntegerSuffix();
    void RejectTrailing(int base) const;
    std::uint32_t ReadEscape();
    std::uint32_t ReadPlainCharacter();
    void CheckFitsMode(std::uint64_t value, std::size_t offset) const;
    char At(std::size_t i) const { return i < text_.size() ? text_[i] : '\0'; }

    std::string_view text_;
    CalcValueMode mode_;
    const CharacterEncoder& encoder_;
    std::size_t pos_ = 0;
};

// The 1-based character position of a byte offset in UTF-8 text.
int CharacterPosition(std::string_view text, std::size_t offset);

} // namespace pexa
