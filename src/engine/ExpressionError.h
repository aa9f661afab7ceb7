#pragma once

#include "core/CalcError.h"

#include <cstddef>
#include <string>

namespace pexa {

// Why an expression is not one: the kind of mistake, where it is, and what
// the user wrote there. The user interface makes the message from these
// ("Missing ')' at 5", "Not a hexadecimal digit: G at 4").
enum class ExpressionSyntax {
    Empty,                 // nothing but blanks
    UnexpectedCharacter,   // Subject: a character no token begins with
    UnexpectedToken,       // Subject: a token where an operator or the end belongs
    ExpectedValue,         // Subject: the token found instead of a value ("" at the end)
    MissingCloseParen,     // a ')' belongs at Position
    MissingOpenParen,      // Subject: a function name not followed by '('
    BadDigit,              // Subject: the character, Base: 2, 8, 10 or 16
    MissingDigits,         // a base prefix with no digit after it; Base as above
    MisplacedSeparator,    // a digit separator not between two digits
    NumberTooLarge,        // beyond 64 bits, or beyond the mode's width
    RealNeedsRealMode,     // a fraction or exponent in an integer mode
    MissingExponent,       // an exponent mark with no digit after it
    UnterminatedCharacter, // a character literal without its closing quote
    EmptyCharacter,        // ''
    TooManyCharacters,     // 'AB'
    BadEscape,             // Subject: the escape as written after the backslash
    UnencodableCharacter,  // Subject: the character, which has no code in the encoding
    UnknownName,           // Subject: the name
    UnknownFunction,       // Subject: the name
    WrongArgumentCount,    // Subject: the function, ArgumentCount: how many it takes
    TooDeep,               // nested deeper than the evaluator allows
};

// A short English name of the kind, for logs and diagnostics.
const char* ExpressionSyntaxName(ExpressionSyntax kind);

// The subject as a message quotes it: a byte that a label or a terminal would
// not show as itself (a control character, a byte of no UTF-8 sequence) is
// written as "\xNN"; every other character is kept.
std::string ShownSubject(const std::string& subject);

struct ExpressionSyntaxError {
    ExpressionSyntax Kind = ExpressionSyntax::Empty;
    // 1-based, counted in characters (UTF-8 sequences) of the expression.
    int Position = 1;
    std::string Subject;
    int Base = 0;
    int ArgumentCount = 0;
};

// A calculation that failed while the expression was evaluated: the
// calculator's error kind and the 1-based character position of the
// operator, function or literal whose evaluation raised it.
struct ExpressionCalcFailure {
    CalcErrorKind Kind = CalcErrorKind::InvalidOperation;
    int Position = 1;
};

// What the lexer and parser throw: the error with its place as a byte offset
// into the text (the caller turns it into a character position).
struct ExpressionSyntaxFailure {
    ExpressionSyntaxError Error;
    std::size_t Offset = 0;
};

[[noreturn]] void ThrowSyntax(ExpressionSyntax kind, std::size_t offset, std::string subject = {},
                              int base = 0, int argumentCount = 0);

} // namespace pexa
