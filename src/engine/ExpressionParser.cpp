#include "engine/ExpressionParser.h"

#include "engine/Expression.h"

#include <string>

namespace pexa {

namespace {

struct BinaryOperatorRule {
    TokenKind Token;
    int Precedence; // higher binds tighter
};

constexpr BinaryOperatorRule BinaryRules[] = {
    {TokenKind::Bar, 1},       {TokenKind::Caret, 2},      {TokenKind::Ampersand, 3},
    {TokenKind::ShiftLeft, 4}, {TokenKind::ShiftRight, 4}, {TokenKind::ShiftRightLogical, 4},
    {TokenKind::Plus, 5},      {TokenKind::Minus, 5},      {TokenKind::Star, 6},
    {TokenKind::Slash, 6},     {TokenKind::Percent, 6},
};

int PrecedenceOf(TokenKind kind) {
    for (const BinaryOperatorRule& rule : BinaryRules) {
        if (rule.Token == kind)
            return rule.Precedence;
    }
    return 0;
}

std::string Lowered(std::string_view name) {
    std::string lower(name);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

class Parser {
public:
    Parser(std::string_view text, const ExpressionContext& context)
        : text_(text), context_(context), lexer_(text, context.Mode, context.EncodeCharacter) {
        // A step takes at least one character or blank around an operator.
        program_.Steps.reserve(text.size() / 2 + 1);
        Advance();
    }

    ExpressionProgram Parse() {
        if (token_.Kind == TokenKind::End)
            ThrowSyntax(ExpressionSyntax::Empty, 0);
        ParseBinary(1);
        if (token_.Kind != TokenKind::End)
            ThrowSyntax(ExpressionSyntax::UnexpectedToken, token_.Offset, Spelling(token_));
        return std::move(program_);
    }

private:
    void Advance() { token_ = lexer_.Next(); }

    std::string Spelling(const ExpressionToken& token) const {
        return std::string(text_.substr(token.Offset, token.Length));
    }

    void Emit(ExpressionStep step, int stackChange) {
        program_.Steps.push_back(std::move(step));
        depth_ += stackChange;
        program_.StackDepth = std::max(program_.StackDepth, depth_);
    }

    // Counts one level of nesting for the duration of a parse function.
    class Nesting {
    public:
        Nesting(int& level, std::size_t offset) : level_(level) {
            if (++level_ > MaxExpressionNesting)
                ThrowSyntax(ExpressionSyntax::TooDeep, offset);
        }
        ~Nesting() { --level_; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        int& level_;
    };

    // Precedence climbing over the left-associative binary operators.
    void ParseBinary(int minimum) {
        ParseUnary();
        for (;;) {
            const int precedence = PrecedenceOf(token_.Kind);
            if (precedence < minimum || precedence == 0)
                return;
            const ExpressionToken op = token_;
            Advance();
            ParseBinary(precedence + 1);
            ExpressionStep step;
            step.Kind = StepKind::Binary;
            step.Binary = BinaryOperation(op.Kind);
            step.Offset = op.Offset;
            Emit(std::move(step), -1);
        }
    }

    BinaryOp::Index BinaryOperation(TokenKind kind) const {
        switch (kind) {
        case TokenKind::Bar:
            return BinaryOp::Or;
        case TokenKind::Caret:
            return BinaryOp::Xor;
        case TokenKind::Ampersand:
            return BinaryOp::And;
        case TokenKind::ShiftLeft:
            return BinaryOp::ShiftLeft;
        case TokenKind::ShiftRight:
            // ">>" is the shift keys' right shift; rotation has its own functions.
            return context_.Options.ArithmeticShiftInEffect(context_.Mode)
                       ? BinaryOp::ShiftRightArith
                       : BinaryOp::ShiftRight;
        case TokenKind::ShiftRightLogical:
            return BinaryOp::ShiftRight;
        case TokenKind::Plus:
            return BinaryOp::Add;
        case TokenKind::Minus:
            return BinaryOp::Sub;
        case TokenKind::Star:
            return BinaryOp::Mul;
        case TokenKind::Slash:
            return BinaryOp::Div;
        case TokenKind::Percent:
            return BinaryOp::Mod;
        case TokenKind::Power:
            return BinaryOp::Power;
        default:
            throw AssertionFailure("ExpressionParser");
        }
    }

    void ParseUnary() {
        const Nesting nesting(nesting_, token_.Offset);
        UnaryStep unary{};
        switch (token_.Kind) {
        case TokenKind::Minus:
            unary = UnaryStep::Negate;
            break;
        case TokenKind::Plus:
            unary = UnaryStep::Plus;
            break;
        case TokenKind::Tilde:
            unary = UnaryStep::Complement;
            break;
        case TokenKind::Bang:
            unary = UnaryStep::LogicalNot;
            break;
        default:
            ParsePower();
            return;
        }
        const std::size_t offset = token_.Offset;
        Advance();
        ParseUnary();
        ExpressionStep step;
        step.Kind = StepKind::Unary;
        step.Unary = unary;
        step.Offset = offset;
        Emit(std::move(step), 0);
    }

    // "-2 ** 2" is -(2 ** 2), and "2 ** -1" is allowed, as in Python.
    void ParsePower() {
        ParsePrimary();
        if (token_.Kind != TokenKind::Power)
            return;
        const std::size_t offset = token_.Offset;
        Advance();
        ParseUnary();
        ExpressionStep step;
        step.Kind = StepKind::Binary;
        step.Binary = BinaryOp::Power;
        step.Offset = offset;
        Emit(std::move(step), -1);
    }

    void ParsePrimary() {
        switch (token_.Kind) {
        case TokenKind::Number: {
            ExpressionStep step;
            step.Kind = StepKind::Literal;
            step.Offset = token_.Offset;
            step.Literal = token_;
            Emit(std::move(step), 1);
            Advance();
            return;
        }
        case TokenKind::LeftParen: {
            Advance();
            ParseBinary(1);
            ExpectCloseParen();
            return;
        }
        case TokenKind::Name:
            ParseName();
            return;
        default:
            ThrowSyntax(ExpressionSyntax::ExpectedValue, token_.Offset, Spelling(token_));
        }
    }

    void ExpectCloseParen() {
        if (token_.Kind != TokenKind::RightParen)
            ThrowSyntax(ExpressionSyntax::MissingCloseParen, token_.Offset);
        Advance();
    }

    void ParseName() {
        const ExpressionToken name = token_;
        const std::string spelled = Spelling(name);
        Advance();
        if (token_.Kind == TokenKind::LeftParen) {
            ParseCall(name, spelled);
            return;
        }
        if (FindExpressionFunction(spelled) != nullptr)
            ThrowSyntax(ExpressionSyntax::MissingOpenParen, name.Offset, spelled);
        ExpressionStep step;
        step.Kind = StepKind::Named;
        step.Offset = name.Offset;
        step.Named = NameValue(name, spelled);
        Emit(std::move(step), 1);
    }

    CalcValue NameValue(const ExpressionToken& name, const std::string& spelled) const {
        const std::string lower = Lowered(spelled);
        if (lower == "ans")
            return context_.Answer;
        if (lower == "pi")
            return MakeReal(CalcValueMode::Float, PiValue);
        if (context_.LookupName) {
            if (std::optional<CalcValue> value = context_.LookupName(lower))
                return *value;
        }
        ThrowSyntax(ExpressionSyntax::UnknownName, name.Offset, spelled);
    }

    void ParseCall(const ExpressionToken& name, const std::string& spelled) {
        const ExpressionFunction* function = FindExpressionFunction(spelled);
        if (function == nullptr)
            ThrowSyntax(ExpressionSyntax::UnknownFunction, name.Offset, spelled);
        const Nesting nesting(nesting_, name.Offset);
        Advance(); // the '('
        int count = 0;
        if (token_.Kind != TokenKind::RightParen) {
            for (;;) {
                ParseBinary(1);
                ++count;
                if (token_.Kind != TokenKind::Comma)
                    break;
                Advance();
            }
        }
        if (token_.Kind != TokenKind::RightParen && token_.Kind != TokenKind::End)
            ThrowSyntax(ExpressionSyntax::MissingCloseParen, token_.Offset);
        if (count != function->ArgumentCount)
            ThrowSyntax(ExpressionSyntax::WrongArgumentCount, name.Offset, spelled, 0,
                        function->ArgumentCount);
        ExpectCloseParen();
        ExpressionStep step;
        step.Kind = StepKind::Function;
        step.Function = function;
        step.Offset = name.Offset;
        Emit(std::move(step), 1 - count);
    }

    std::string_view text_;
    const ExpressionContext& context_;
    ExpressionLexer lexer_;
    ExpressionToken token_;
    ExpressionProgram program_;
    int depth_ = 0;
    int nesting_ = 0;
};

} // namespace

ExpressionProgram ParseExpression(std::string_view text, const ExpressionContext& context) {
    return Parser(text, context).Parse();
}

} // namespace pexa
