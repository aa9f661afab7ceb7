#include "engine/ExpressionLexer.h"

#include "core/ModeWidth.h"

#include <charconv>
#include <cmath>
#include <string>

namespace pexa {

namespace {

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsNameCharacter(char c) {
    return IsLetter(c) || IsDecimalDigit(c) || c == '_';
}

// The value of c as a digit, or 99 for anything that is none.
int DigitValue(char c) {
    if (IsDecimalDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 99;
}

bool IsDigitOf(char c, int base) {
    return DigitValue(c) < base;
}

bool IsSeparator(char c) {
    return c == '_' || c == '\'';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The bytes of the UTF-8 sequence a lead byte starts (1 for a stray byte).
std::size_t SequenceLength(char lead) {
    const auto b = static_cast<unsigned char>(lead);
    if (b >= 0xF0 && b <= 0xF4)
        return 4;
    if (b >= 0xE0)
        return b <= 0xEF ? 3 : 1;
    if (b >= 0xC2)
        return 2;
    return 1;
}

int BaseOfPrefix(char c) {
    switch (c) {
    case 'x':
    case 'X':
        return 16;
    case 'b':
    case 'B':
        return 2;
    case 'o':
    case 'O':
        return 8;
    default:
        return 0;
    }
}

bool IsUnsignedSuffix(char c) {
    return c == 'u' || c == 'U';
}

bool IsLongSuffix(char c) {
    return c == 'l' || c == 'L';
}

struct Punctuation {
    std::string_view Text;
    TokenKind Kind;
};

// Longest first, so that ">>>" is not read as ">>" and ">".
constexpr Punctuation Punctuations[] = {
    {">>>", TokenKind::ShiftRightLogical},
    {"<<", TokenKind::ShiftLeft},
    {">>", TokenKind::ShiftRight},
    {"**", TokenKind::Power},
    {"(", TokenKind::LeftParen},
    {")", TokenKind::RightParen},
    {",", TokenKind::Comma},
    {"+", TokenKind::Plus},
    {"-", TokenKind::Minus},
    {"*", TokenKind::Star},
    {"/", TokenKind::Slash},
    {"%", TokenKind::Percent},
    {"&", TokenKind::Ampersand},
    {"|", TokenKind::Bar},
    {"^", TokenKind::Caret},
    {"~", TokenKind::Tilde},
    {"!", TokenKind::Bang},
};

} // namespace

int CharacterPosition(std::string_view text, std::size_t offset) {
    int position = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        if (!IsContinuationByte(text[i]))
            ++position;
    }
    return position;
}

ExpressionLexer::ExpressionLexer(std::string_view text, CalcValueMode mode,
                                 const CharacterEncoder& encoder)
    : text_(text), mode_(mode), encoder_(encoder) {}

void ExpressionLexer::SkipBlanks() {
    while (pos_ < text_.size() && IsBlank(text_[pos_]))
        ++pos_;
}

ExpressionToken ExpressionLexer::Next() {
    SkipBlanks();
    if (pos_ >= text_.size())
        return ExpressionToken{TokenKind::End, pos_, 0};
    const char c = text_[pos_];
    if (IsDecimalDigit(c) || (c == '.' && IsDecimalDigit(At(pos_ + 1)))) {
        if (c == '.' && !IsFloatMode(mode_))
            ThrowSyntax(ExpressionSyntax::RealNeedsRealMode, pos_);
        return ReadNumber();
    }
    if (c == '\'')
        return ReadCharacter();
    if (IsLetter(c) || c == '_')
        return ReadName();
    if (std::optional<ExpressionToken> token = ReadOperator())
        return *token;
    const std::size_t length = std::min(SequenceLength(c), text_.size() - pos_);
    ThrowSyntax(ExpressionSyntax::UnexpectedCharacter, pos_,
                std::string(text_.substr(pos_, length)));
}

std::optional<ExpressionToken> ExpressionLexer::ReadOperator() {
    const std::string_view rest = text_.substr(pos_);
    for (const Punctuation& p : Punctuations) {
        const std::string_view spelled = p.Text;
        if (rest.starts_with(spelled)) {
            const ExpressionToken token{p.Kind, pos_, spelled.size()};
            pos_ += spelled.size();
            return token;
        }
    }
    return std::nullopt;
}

ExpressionToken ExpressionLexer::ReadName() {
    const std::size_t start = pos_;
    while (pos_ < text_.size() && IsNameCharacter(text_[pos_]))
        ++pos_;
    return ExpressionToken{TokenKind::Name, start, pos_ - start};
}

// ---- Numbers ---------------------------------------------------------------

std::uint64_t ExpressionLexer::ReadDigits(int base, std::size_t literalStart) {
    std::uint64_t value = 0;
    bool tooLarge = false;
    const auto limit = ~std::uint64_t{0};
    while (pos_ < text_.size()) {
        const char c = text_[pos_];
        if (IsDigitOf(c, base)) {
            const auto digit = static_cast<std::uint64_t>(DigitValue(c));
            const auto b = static_cast<std::uint64_t>(base);
            tooLarge = tooLarge || value > (limit - digit) / b;
            value = value * b + digit;
            ++pos_;
        } else if (IsSeparator(c) && IsDigitOf(At(pos_ + 1), base)) {
            ++pos_;
        } else if (c == '_') {
            ThrowSyntax(ExpressionSyntax::MisplacedSeparator, pos_);
        } else {
            // A quote that no digit follows begins a character literal.
            break;
        }
    }
    if (tooLarge)
        ThrowSyntax(ExpressionSyntax::NumberTooLarge, literalStart);
    return value;
}

void ExpressionLexer::SkipIntegerSuffix() {
    if (IsUnsignedSuffix(At(pos_))) {
        ++pos_;
        for (int i = 0; i < 2 && IsLongSuffix(At(pos_)); ++i)
            ++pos_;
    } else if (IsLongSuffix(At(pos_))) {
        ++pos_;
        if (IsLongSuffix(At(pos_)))
            ++pos_;
        if (IsUnsignedSuffix(At(pos_)))
            ++pos_;
    }
}

void ExpressionLexer::RejectTrailing(int base) const {
    const char c = At(pos_);
    if (IsNameCharacter(c))
        ThrowSyntax(ExpressionSyntax::BadDigit, pos_, std::string(1, c), base);
}

void ExpressionLexer::CheckFitsMode(std::uint64_t value, std::size_t offset) const {
    const int width = BitCountOf(mode_);
    if (width < 64 && (value >> width) != 0)
        ThrowSyntax(ExpressionSyntax::NumberTooLarge, offset);
}

// As in C, an integer literal that starts with 0 is octal (017 is 15, 0755 a
// file mode); a real literal is decimal whatever its first digit (01.5).
bool ExpressionLexer::AtLeadingZeroOctal() const {
    if (At(pos_) != '0')
        return false;
    std::size_t end = pos_ + 1;
    while (IsDecimalDigit(At(end)) || (IsSeparator(At(end)) && IsDecimalDigit(At(end + 1))))
        ++end;
    const char next = At(end);
    return end > pos_ + 1 && next != '.' && next != 'e' && next != 'E';
}

ExpressionToken ExpressionLexer::ReadNumber() {
    const std::size_t start = pos_;
    ExpressionToken token{TokenKind::Number, start};
    if (AtLeadingZeroOctal()) {
        ++pos_;
        token.Integer = ReadDigits(8, start);
        return FinishInteger(token, 8);
    }
    const int base = At(pos_) == '0' ? BaseOfPrefix(At(pos_ + 1)) : 0;
    if (base != 0) {
        pos_ += 2;
        const char first = At(pos_);
        if (!IsDigitOf(first, base)) {
            if (IsSeparator(first) && IsDigitOf(At(pos_ + 1), base))
                ThrowSyntax(ExpressionSyntax::MisplacedSeparator, pos_);
            RejectTrailing(base);
            ThrowSyntax(ExpressionSyntax::MissingDigits, pos_, {}, base);
        }
        token.Integer = ReadDigits(base, start);
    } else if (IsFloatMode(mode_)) {
        if (!ReadRealPart(start, token)) {
            token.Length = pos_ - start;
            return token;
        }
    } else {
        token.Integer = ReadDigits(10, start);
        const char next = At(pos_);
        const bool exponent =
            (next == 'e' || next == 'E') &&
            (IsDecimalDigit(At(pos_ + 1)) ||
             ((At(pos_ + 1) == '+' || At(pos_ + 1) == '-') && IsDecimalDigit(At(pos_ + 2))));
        if (next == '.' || exponent)
            ThrowSyntax(ExpressionSyntax::RealNeedsRealMode, pos_);
    }
    return FinishInteger(token, base != 0 ? base : 10);
}

ExpressionToken ExpressionLexer::FinishInteger(ExpressionToken& token, int base) {
    SkipIntegerSuffix();
    RejectTrailing(base);
    CheckFitsMode(token.Integer, token.Offset);
    token.Length = pos_ - token.Offset;
    return token;
}

// A decimal literal in Real mode, read as a real: digits, a fraction, an
// exponent. False when it was one (it takes no integer suffix then); true
// for plain digits, which are also kept as an exact integer.
bool ExpressionLexer::ReadRealPart(std::size_t literalStart, ExpressionToken& token) {
    std::string plain;
    int leadingExponent = 0; // the decimal exponent the mantissa's digits alone give
    bool seenNonZero = false;
    auto digits = [&](bool fraction) {
        while (pos_ < text_.size()) {
            const char c = text_[pos_];
            if (IsDecimalDigit(c)) {
                plain += c;
                seenNonZero = seenNonZero || c != '0';
                if (!fraction && seenNonZero)
                    ++leadingExponent;
                else if (fraction && !seenNonZero)
                    --leadingExponent;
                ++pos_;
            } else if (IsSeparator(c) && IsDecimalDigit(At(pos_ + 1)) && !plain.empty() &&
                       IsDecimalDigit(plain.back())) {
                ++pos_;
            } else if (c == '_') {
                ThrowSyntax(ExpressionSyntax::MisplacedSeparator, pos_);
            } else {
                break;
            }
        }
    };
    digits(false);
    bool isReal = false;
    if (At(pos_) == '.') {
        isReal = true;
        plain += '.';
        ++pos_;
        digits(true);
    }
    long long exponent = 0;
    if (At(pos_) == 'e' || At(pos_) == 'E') {
        isReal = true;
        plain += 'e';
        ++pos_;
        bool negative = false;
        if (At(pos_) == '+' || At(pos_) == '-') {
            negative = At(pos_) == '-';
            plain += At(pos_++);
        }
        if (!IsDecimalDigit(At(pos_)))
            ThrowSyntax(ExpressionSyntax::MissingExponent, pos_);
        while (IsDecimalDigit(At(pos_))) {
            exponent = std::min(exponent * 10 + (At(pos_) - '0'), 1000000LL);
            plain += At(pos_++);
        }
        if (negative)
            exponent = -exponent;
    }
    if (isReal)
        RejectTrailing(10);
    Real value = 0;
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Beyond the range or below the smallest denormal: which, the
        // position of the first significant digit tells.
        if (seenNonZero && leadingExponent + exponent > 0)
            ThrowSyntax(ExpressionSyntax::NumberTooLarge, literalStart);
        value = 0;
    } else if (error != std::errc{} || !std::isfinite(value)) {
        ThrowSyntax(ExpressionSyntax::NumberTooLarge, literalStart);
    }
    token.IsReal = true;
    token.RealValue = value;
    return !isReal;
}

// ---- Character literals --------------------------------------------------

std::uint32_t ExpressionLexer::ReadEscape() {
    const std::size_t escape = pos_ + 1;
    const char c = At(escape);
    if (escape >= text_.size())
        ThrowSyntax(ExpressionSyntax::UnterminatedCharacter, pos_ - 1);
    pos_ = escape + 1;
    switch (c) {
    case 'n':
        return '\n';
    case 't':
        return '\t';
    case 'r':
        return '\r';
    case 'a':
        return '\a';
    case 'b':
        return '\b';
    case 'f':
        return '\f';
    case 'v':
        return '\v';
    case '\\':
    case '\'':
    case '"':
    case '?':
        return static_cast<unsigned char>(c);
    case 'x': {
        std::uint32_t value = 0;
        int count = 0;
        for (; count < 2 && IsDigitOf(At(pos_), 16); ++count)
            value = value * 16 + static_cast<std::uint32_t>(DigitValue(text_[pos_++]));
        if (count == 0)
            ThrowSyntax(ExpressionSyntax::BadEscape, escape, "x");
        return value;
    }
    default:
        break;
    }
    if (IsDigitOf(c, 8)) {
        std::uint32_t value = static_cast<std::uint32_t>(c - '0');
        for (int count = 1; count < 3 && IsDigitOf(At(pos_), 8); ++count)
            value = value * 8 + static_cast<std::uint32_t>(text_[pos_++] - '0');
        if (value > 0xFF)
            ThrowSyntax(ExpressionSyntax::BadEscape, escape,
                        std::string(text_.substr(escape, pos_ - escape)));
        return value;
    }
    const std::size_t length = std::min(SequenceLength(c), text_.size() - escape);
    ThrowSyntax(ExpressionSyntax::BadEscape, escape, std::string(text_.substr(escape, length)));
}

// One character as written: ASCII is its own code, anything else is decoded
// from UTF-8 and given the code of the character bar's encoding.
std::uint32_t ExpressionLexer::ReadPlainCharacter() {
    const auto lead = static_cast<unsigned char>(text_[pos_]);
    if (lead < 0x80) {
        ++pos_;
        return lead;
    }
    const std::size_t start = pos_;
    const std::size_t length = SequenceLength(text_[pos_]);
    const std::string_view sequence = text_.substr(start, length);
    bool valid = length > 1 && sequence.size() == length;
    char32_t ch = length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
    for (std::size_t i = 1; valid && i < length; ++i) {
        valid = IsContinuationByte(sequence[i]);
        ch = (ch << 6) | (static_cast<unsigned char>(sequence[i]) & 0x3F);
    }
    // Overlong forms and surrogates are no characters.
    valid = valid && !(length == 3 && ch < 0x800) && !(length == 4 && ch < 0x10000) &&
            !(ch >= 0xD800 && ch <= 0xDFFF) && ch <= 0x10FFFF;
    std::optional<std::uint32_t> code;
    if (valid && encoder_)
        code = encoder_(ch);
    if (!code)
        ThrowSyntax(ExpressionSyntax::UnencodableCharacter, start,
                    std::string(valid ? sequence : sequence.substr(0, 1)));
    pos_ = start + (valid ? length : 1);
    return *code;
}

ExpressionToken ExpressionLexer::ReadCharacter() {
    const std::size_t start = pos_;
    ++pos_;
    if (pos_ >= text_.size())
        ThrowSyntax(ExpressionSyntax::UnterminatedCharacter, start);
    if (text_[pos_] == '\'')
        ThrowSyntax(ExpressionSyntax::EmptyCharacter, start);
    const std::uint32_t code = text_[pos_] == '\\' ? ReadEscape() : ReadPlainCharacter();
    if (pos_ >= text_.size())
        ThrowSyntax(ExpressionSyntax::UnterminatedCharacter, start);
    if (text_[pos_] != '\'') {
        const bool closedLater = text_.find('\'', pos_) != std::string_view::npos;
        ThrowSyntax(closedLater ? ExpressionSyntax::TooManyCharacters
                                : ExpressionSyntax::UnterminatedCharacter,
                    closedLater ? pos_ : start);
    }
    ++pos_;
    CheckFitsMode(code, start);
    ExpressionToken token{TokenKind::Number, start, pos_ - start};
    token.Integer = code;
    if (IsFloatMode(mode_)) {
        token.IsReal = true;
        token.RealValue = static_cast<Real>(code);
    }
    return token;
}

} // namespace pexa
