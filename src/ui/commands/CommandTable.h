#pragma once

#include "conv/Conversion.h"
#include "core/CalcArithmetic.h"
#include "core/CalcValue.h"
#include "core/RealFunctions.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>

namespace pexa {

// Every command of the window, in the order of the command table: the
// calculator keys, then the window and bar commands, then the option buttons
// of the bar variants (which have no handlers in the window).
enum class Command : std::uint8_t {
    Equal,
    Digit0,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Negate,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Digit9,
    DigitA,
    DigitB,
    DigitC,
    DigitD,
    DigitE,
    DigitF,
    Separator,
    Period,
    BackSpace,
    ClearEntry,
    ClearAll,
    OpAdd,
    OpSub,
    OpMul,
    OpDiv,
    OpMod,
    ModeByte,
    ModeWord,
    ModeDWord,
    ModeInt64,
    ModeReal,
    OpFloor,
    OpCeil,
    OpRound,
    OpFrac,
    OpAnd,
    OpOr,
    OpXor,
    OpNot,
    OpShiftLeft,
    OpShiftRight,
    OpShiftLeftByAmount,
    OpShiftRightByAmount,
    OpSquare,
    Rotate,
    ArithmeticShift,
    OpReverseBytes,
    OpSqrt,
    OpReciprocal,
    OpLogE,
    OpLog2,
    OpLog10,
    OpLogN,
    OpExpE,
    OpExp2,
    OpExp10,
    OpPower,
    OpRoot,
    AngleDegrees,
    AngleRadians,
    AngleGradians,
    Hyperbolic,
    OpSin,
    OpCos,
    OpTan,
    OpArcSin,
    OpArcCos,
    OpArcTan,
    Pi,
    OpReverseBits,
    RecallAnswer,
    ModeSigned,
    ModeByteSwap,
    ShiftAmount1,
    ShiftAmount2,
    ShiftAmount4,
    ShiftAmount8,
    ShiftAmount16,
    OpFactorial,
    ShiftAmountMenu,
    OpPopCount,
    OpLeadingZeros,
    OpTrailingZeros,
    ToggleDec,
    ToggleHex,
    ToggleOct,
    ToggleBin,
    ToggleChar,
    ToggleIP,
    ToggleSexagesimal,
    ToggleFloat,
    ToggleTime,
    ToggleSize,
    BarNext,
    BarPrev,
    DigitGrouping,
    EditCopy,
    EditCopyGrouped,
    EditPaste,
    BarClose,
    HelpContents,
    HelpAbout,
    Exit,
    ShowIndicators,
    QuickMenu,
    DescriptiveQuickMenu,
    ModeMenu,
    ToolBar,
    MenuBar,
    ChooseFont,
    ChooseBodyColour,
    ButtonPanel,
    StayOnTop,
    EditUndo,
    EditRedo,
    MemoryStore,
    MemoryAdd,
    MemorySubtract,
    MemoryRecall,
    MemoryClear,
    EditCopyCLiteral,
    EditExpression,
    ExpressionLine,
    HistoryPane,
    FocusHistory,
    EditCopyHistory,
    ClearHistory,
    SexagesimalHours,
    CharEncodeASCII,
    CharEncodeSJIS,
    CharEncodeJIS,
    CharEncodeEUC,
    CharEncodeUTF8,
    CharEncodeUTF16,
    CharEncodeCodePoint,
    FloatHalf,
    FloatBFloat16,
    FloatE4M3,
    FloatE5M2,
    TimeEncodeTimeT,
    TimeEncodeOleDate,
    TimeDifference,
};

inline constexpr std::size_t CommandCount = static_cast<std::size_t>(Command::TimeDifference) + 1;

constexpr std::size_t IndexOf(Command command) {
    return static_cast<std::size_t>(command);
}

// The three lists a command belongs to: the key routing offers keys to the
// calculator keys first, then to the window commands.
enum class CommandList : std::uint8_t { Keys, Menus, Bars };

// What a command of a family carries to the family's one handler.
struct NoPayload {};
// The character a digit key types.
struct TypedChar {
    char Char;
};
// The amount a shift-amount command chooses.
struct ShiftAmountChoice {
    int Bits;
};
struct TrigChoice {
    TrigFunctionKind Kind;
    bool Inverse;
};
using CommandPayload = std::variant<NoPayload, TypedChar, CalcValueMode, ShiftAmountChoice, BarKind,
                                    BinaryOp::Index, UnaryOp::Index, AngleUnit, TrigChoice>;

// One row of the command table. Shortcuts are written in QKeySequence's
// portable form ("Ctrl+B", "Return", ":"); an empty text means none. A plain
// letter or digit shortcut matches only the key without any modifier
// (number-pad keys included: they reach the commands as typed characters
// instead). Name is what pexa.ini, the help document and the controls'
// object names know the command by.
struct CommandInfo {
    Command Id;
    CommandList List;
    const char* Name;
    const char* Caption;
    const char* Shortcut;
    const char* SecondaryShortcut;
    int HelpContext;
    const char* Hint;
    CommandPayload Payload;
};

// The whole table, row i being command i.
std::span<const CommandInfo> Commands();
const CommandInfo& InfoOf(Command command);

// Whether menus and buttons offer the command. One they do not offer keeps
// its item or button, hidden, and still runs from its key and keeps its
// states.
bool OfferedInControls(Command command);

// The payload of a command of a family, e.g. PayloadOf<CalcValueMode>(command).
template <class T> const T& PayloadOf(Command command) {
    return std::get<T>(InfoOf(command).Payload);
}

// One registration of the typed-character table, in registration order.
// Character 0 stands for the locale's decimal separator, known only at run time.
struct KeyCharBinding {
    char Char;
    Command Target;
};

inline constexpr char DecimalSeparatorKey = 0;

std::span<const KeyCharBinding> KeyCharBindings();

// The typed characters that run commands are the printable ASCII ones from
// '!' to '~'; the table binds each at most once (checked when it compiles).
inline constexpr int kFirstKeyChar = 33;
inline constexpr int kLastKeyChar = 126;

// The command the table binds the character to; none for an unbound one and
// for the decimal separator, which the window binds at run time.
std::optional<Command> CommandOfTableChar(char ch);
// The first character, from '!' upward, that the table binds to the command.
std::optional<char> TableCharOf(Command command);

} // namespace pexa
