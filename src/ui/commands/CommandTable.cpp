#include "ui/commands/CommandTable.h"

#include <QtGlobal>

#include <algorithm>
#include <array>
#include <iterator>

namespace pexa {

namespace {

// Captions and hints are English source texts (context "Command"), shown
// through CommandText; texts that read the same in every language are not
// marked for translation.
// clang-format off
constexpr CommandInfo CommandTable[] = {
    // The calculator keys.
    {Command::Equal, CommandList::Keys, "ActEqual", "=", "Return", "Enter", 15, QT_TRANSLATE_NOOP("Command", "Result"), NoPayload{}},
    {Command::Digit0, CommandList::Keys, "ActDigit0", "0", "0", "", 21, "", TypedChar{'0'}},
    {Command::Digit1, CommandList::Keys, "ActDigit1", "1", "1", "", 21, "", TypedChar{'1'}},
    {Command::Digit2, CommandList::Keys, "ActDigit2", "2", "2", "", 21, "", TypedChar{'2'}},
    {Command::Digit3, CommandList::Keys, "ActDigit3", "3", "3", "", 21, "", TypedChar{'3'}},
    {Command::Digit4, CommandList::Keys, "ActDigit4", "4", "4", "", 21, "", TypedChar{'4'}},
    {Command::Negate, CommandList::Keys, "ActNegate", "+/-", "", "", 15, QT_TRANSLATE_NOOP("Command", "Change Sign"), NoPayload{}},
    {Command::Digit5, CommandList::Keys, "ActDigit5", "5", "5", "", 21, "", TypedChar{'5'}},
    {Command::Digit6, CommandList::Keys, "ActDigit6", "6", "6", "", 21, "", TypedChar{'6'}},
    {Command::Digit7, CommandList::Keys, "ActDigit7", "7", "7", "", 21, "", TypedChar{'7'}},
    {Command::Digit8, CommandList::Keys, "ActDigit8", "8", "8", "", 21, "", TypedChar{'8'}},
    {Command::Digit9, CommandList::Keys, "ActDigit9", "9", "9", "", 21, "", TypedChar{'9'}},
    {Command::DigitA, CommandList::Keys, "ActDigitA", "A", "A", "", 21, "", TypedChar{'A'}},
    {Command::DigitB, CommandList::Keys, "ActDigitB", "B", "B", "", 21, "", TypedChar{'B'}},
    {Command::DigitC, CommandList::Keys, "ActDigitC", "C", "C", "", 21, "", TypedChar{'C'}},
    {Command::DigitD, CommandList::Keys, "ActDigitD", "D", "D", "", 21, "", TypedChar{'D'}},
    {Command::DigitE, CommandList::Keys, "ActDigitE", "E", "E", "", 21, "", TypedChar{'E'}},
    {Command::DigitF, CommandList::Keys, "ActDigitF", "F", "F", "", 21, "", TypedChar{'F'}},
    {Command::Separator, CommandList::Keys, "ActSeparator", ":", ":", "", 21, QT_TRANSLATE_NOOP("Command", "Separator"), TypedChar{':'}},
    {Command::Period, CommandList::Keys, "ActPeriod", ".", ".", ",", 21, QT_TRANSLATE_NOOP("Command", "Decimal Point"), NoPayload{}},
    {Command::BackSpace, CommandList::Keys, "ActBackSpace", "Back", "Backspace", "", 21, QT_TRANSLATE_NOOP("Command", "Delete Character"), NoPayload{}},
    {Command::ClearEntry, CommandList::Keys, "ActClearEntry", "Clear Error", "Del", "", 21, QT_TRANSLATE_NOOP("Command", "Clear Entry"), NoPayload{}},
    {Command::ClearAll, CommandList::Keys, "ActClearAll", "Clear All", "Esc", "", 21, QT_TRANSLATE_NOOP("Command", "Clear Everything"), NoPayload{}},
    {Command::OpAdd, CommandList::Keys, "ActOpAdd", "+", "", "", 15, QT_TRANSLATE_NOOP("Command", "Add"), BinaryOp::Add},
    {Command::OpSub, CommandList::Keys, "ActOpSub", "-", "", "", 15, QT_TRANSLATE_NOOP("Command", "Subtract"), BinaryOp::Sub},
    {Command::OpMul, CommandList::Keys, "ActOpMul", "*", "", "", 15, QT_TRANSLATE_NOOP("Command", "Multiply"), BinaryOp::Mul},
    {Command::OpDiv, CommandList::Keys, "ActOpDiv", "/", "", "", 15, QT_TRANSLATE_NOOP("Command", "Divide"), BinaryOp::Div},
    {Command::OpMod, CommandList::Keys, "ActOpMod", "Mod", "", "", 15, QT_TRANSLATE_NOOP("Command", "Remainder"), BinaryOp::Mod},
    {Command::ModeByte, CommandList::Keys, "ActModeByte", "Byte", "Ctrl+B", "", 13, QT_TRANSLATE_NOOP("Command", "8 Bits"), CalcValueMode::Byte},
    {Command::ModeWord, CommandList::Keys, "ActModeWord", "Word", "Ctrl+W", "", 13, QT_TRANSLATE_NOOP("Command", "16 Bits"), CalcValueMode::Word},
    {Command::ModeDWord, CommandList::Keys, "ActModeDWord", "DWord", "Ctrl+D", "", 13, QT_TRANSLATE_NOOP("Command", "32 Bits"), CalcValueMode::DWord},
    {Command::ModeInt64, CommandList::Keys, "ActModeInt64", "Int64", "Ctrl+Q", "", 13, QT_TRANSLATE_NOOP("Command", "64 Bits"), CalcValueMode::QWord},
    {Command::ModeReal, CommandList::Keys, "ActModeReal", "Real", "Ctrl+R", "", 13, QT_TRANSLATE_NOOP("Command", "Real Number"), CalcValueMode::Float},
    {Command::OpFloor, CommandList::Keys, "ActOpFloor", QT_TRANSLATE_NOOP("Command", "Floor"), "", "", 17, QT_TRANSLATE_NOOP("Command", "Round Down"), UnaryOp::Floor},
    {Command::OpCeil, CommandList::Keys, "ActOpCeil", "Ceil", "", "", 17, QT_TRANSLATE_NOOP("Command", "Ceiling"), UnaryOp::Ceil},
    {Command::OpRound, CommandList::Keys, "ActOpRound", "Round", "", "", 17, QT_TRANSLATE_NOOP("Command", "Round to Nearest"), UnaryOp::Round},
    {Command::OpFrac, CommandList::Keys, "ActOpFrac", "Frac", "", "", 17, QT_TRANSLATE_NOOP("Command", "Fractional Part"), UnaryOp::Frac},
    {Command::OpAnd, CommandList::Keys, "ActOpAnd", "And", "", "", 16, QT_TRANSLATE_NOOP("Command", "Bitwise And"), BinaryOp::And},
    {Command::OpOr, CommandList::Keys, "ActOpOr", "Or", "", "", 16, QT_TRANSLATE_NOOP("Command", "Bitwise Or"), BinaryOp::Or},
    {Command::OpXor, CommandList::Keys, "ActOpXor", "Xor", "", "", 16, QT_TRANSLATE_NOOP("Command", "Bitwise Xor"), BinaryOp::Xor},
    {Command::OpNot, CommandList::Keys, "ActOpNot", "Not", "", "", 16, QT_TRANSLATE_NOOP("Command", "Bitwise Not"), UnaryOp::Not},
    {Command::OpShiftLeft, CommandList::Keys, "ActOpShiftLeft", "<<", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift Left"), NoPayload{}},
    {Command::OpShiftRight, CommandList::Keys, "ActOpShiftRight", ">>", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift Right"), NoPayload{}},
    {Command::OpShiftLeftByAmount, CommandList::Keys, "ActOpShiftLeftByAmount", "<<n", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift Left n Bits"), NoPayload{}},
    {Command::OpShiftRightByAmount, CommandList::Keys, "ActOpShiftRightByAmount", ">>n", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift Right n Bits"), NoPayload{}},
    {Command::OpSquare, CommandList::Keys, "ActOpSquare", "x^2", "", "", 17, QT_TRANSLATE_NOOP("Command", "Square"), UnaryOp::Square},
    {Command::Rotate, CommandList::Keys, "ActRotate", "Rotate", "Ctrl+T", "", 16, QT_TRANSLATE_NOOP("Command", "Rotating Shifts"), NoPayload{}},
    {Command::ArithmeticShift, CommandList::Keys, "ActArithmeticShift", "Arithmetic", "Ctrl+A", "", 16, QT_TRANSLATE_NOOP("Command", "Arithmetic Shift"), NoPayload{}},
    {Command::OpReverseBytes, CommandList::Keys, "ActOpReverseBytes", "Reverse Bytes", "", "", 16, QT_TRANSLATE_NOOP("Command", "Reverse Byte Order"), UnaryOp::ReverseByteOrder},
    {Command::OpSqrt, CommandList::Keys, "ActOpSqrt", "Sqrt", "", "", 17, QT_TRANSLATE_NOOP("Command", "Square Root"), UnaryOp::Sqrt},
    {Command::OpReciprocal, CommandList::Keys, "ActOpReciprocal", "1/x", "", "", 17, QT_TRANSLATE_NOOP("Command", "Reciprocal"), UnaryOp::Reciprocal},
    {Command::OpLogE, CommandList::Keys, "ActOpLogE", "Ln", "", "", 17, QT_TRANSLATE_NOOP("Command", "Natural Log"), UnaryOp::Ln},
    {Command::OpLog2, CommandList::Keys, "ActOpLog2", "Log2", "", "", 17, QT_TRANSLATE_NOOP("Command", "Log Base 2"), UnaryOp::Log2},
    {Command::OpLog10, CommandList::Keys, "ActOpLog10", "Log", "", "", 17, QT_TRANSLATE_NOOP("Command", "Common Log"), UnaryOp::Log10},
    {Command::OpLogN, CommandList::Keys, "ActOpLogN", "LogN", "", "", 17, QT_TRANSLATE_NOOP("Command", "Log Base n"), BinaryOp::LogN},
    {Command::OpExpE, CommandList::Keys, "ActOpExpE", "e^x", "", "", 17, QT_TRANSLATE_NOOP("Command", "e to the x"), UnaryOp::Exp},
    {Command::OpExp2, CommandList::Keys, "ActOpExp2", "2^x", "", "", 17, QT_TRANSLATE_NOOP("Command", "2 to the x"), UnaryOp::Exp2},
    {Command::OpExp10, CommandList::Keys, "ActOpExp10", "10^x", "", "", 17, QT_TRANSLATE_NOOP("Command", "10 to the x"), UnaryOp::Exp10},
    {Command::OpPower, CommandList::Keys, "ActOpPower", "x^y", "", "", 17, QT_TRANSLATE_NOOP("Command", "Power"), BinaryOp::Power},
    {Command::OpRoot, CommandList::Keys, "ActOpRoot", "Root", "", "", 17, QT_TRANSLATE_NOOP("Command", "Nth Root"), BinaryOp::Root},
    {Command::AngleDegrees, CommandList::Keys, "ActAngleDegrees", "Degree", "", "", 18, QT_TRANSLATE_NOOP("Command", "Degrees"), AngleUnit::Degree},
    {Command::AngleRadians, CommandList::Keys, "ActAngleRadians", "Radian", "", "", 18, QT_TRANSLATE_NOOP("Command", "Radians"), AngleUnit::Radian},
    {Command::AngleGradians, CommandList::Keys, "ActAngleGradians", "Gradian", "", "", 18, QT_TRANSLATE_NOOP("Command", "Gradians"), AngleUnit::Gradian},
    {Command::Hyperbolic, CommandList::Keys, "ActHyperbolic", "Hyperbolic", "Ctrl+H", "", 18, QT_TRANSLATE_NOOP("Command", "Hyperbolic Functions"), NoPayload{}},
    {Command::OpSin, CommandList::Keys, "ActOpSin", "sin", "", "", 18, QT_TRANSLATE_NOOP("Command", "Sine"), TrigChoice{TrigFunctionKind::Sin, false}},
    {Command::OpCos, CommandList::Keys, "ActOpCos", "cos", "", "", 18, QT_TRANSLATE_NOOP("Command", "Cosine"), TrigChoice{TrigFunctionKind::Cos, false}},
    {Command::OpTan, CommandList::Keys, "ActOpTan", "tan", "", "", 18, QT_TRANSLATE_NOOP("Command", "Tangent"), TrigChoice{TrigFunctionKind::Tan, false}},
    {Command::OpArcSin, CommandList::Keys, "ActOpArcSin", "asin", "", "", 18, QT_TRANSLATE_NOOP("Command", "Arcsine"), TrigChoice{TrigFunctionKind::Sin, true}},
    {Command::OpArcCos, CommandList::Keys, "ActOpArcCos", "acos", "", "", 18, QT_TRANSLATE_NOOP("Command", "Arccosine"), TrigChoice{TrigFunctionKind::Cos, true}},
    {Command::OpArcTan, CommandList::Keys, "ActOpArcTan", "atan", "", "", 18, QT_TRANSLATE_NOOP("Command", "Arctangent"), TrigChoice{TrigFunctionKind::Tan, true}},
    {Command::Pi, CommandList::Keys, "ActPi", "PI", "", "", 18, QT_TRANSLATE_NOOP("Command", "Pi"), NoPayload{}},
    {Command::OpReverseBits, CommandList::Keys, "ActOpReverseBits", "Reverse Bits", "", "", 16, QT_TRANSLATE_NOOP("Command", "Reverse Bit Order"), UnaryOp::ReverseBitOrder},
    {Command::RecallAnswer, CommandList::Keys, "ActRecallAnswer", "Answer", "", "", 15, QT_TRANSLATE_NOOP("Command", "Last Result"), NoPayload{}},
    {Command::ModeSigned, CommandList::Keys, "ActModeSigned", "Signed", "Ctrl+S", "", 13, QT_TRANSLATE_NOOP("Command", "Signed Mode"), NoPayload{}},
    {Command::ModeByteSwap, CommandList::Keys, "ActModeByteSwap", QT_TRANSLATE_NOOP("Command", "Byte Swap"), "Ctrl+E", "", 13, QT_TRANSLATE_NOOP("Command", "Swap Byte Order"), NoPayload{}},
    {Command::ShiftAmount1, CommandList::Keys, "ActShiftAmount1", "1", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift by 1"), ShiftAmountChoice{1}},
    {Command::ShiftAmount2, CommandList::Keys, "ActShiftAmount2", "2", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift by 2"), ShiftAmountChoice{2}},
    {Command::ShiftAmount4, CommandList::Keys, "ActShiftAmount4", "4", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift by 4"), ShiftAmountChoice{4}},
    {Command::ShiftAmount8, CommandList::Keys, "ActShiftAmount8", "8", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift by 8"), ShiftAmountChoice{8}},
    {Command::ShiftAmount16, CommandList::Keys, "ActShiftAmount16", "16", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift by 16"), ShiftAmountChoice{16}},
    {Command::OpFactorial, CommandList::Keys, "ActOpFactorial", "n!", "", "", 17, QT_TRANSLATE_NOOP("Command", "Factorial"), UnaryOp::Factorial},
    {Command::ShiftAmountMenu, CommandList::Keys, "ActShiftAmountMenu", "Bits", "", "", 16, QT_TRANSLATE_NOOP("Command", "Choose Shift Amount"), NoPayload{}},
    {Command::OpPopCount, CommandList::Keys, "ActOpPopCount", "popcount", "", "", 16, QT_TRANSLATE_NOOP("Command", "Count One Bits"), UnaryOp::PopCount},
    {Command::OpLeadingZeros, CommandList::Keys, "ActOpLeadingZeros", "clz", "", "", 16, QT_TRANSLATE_NOOP("Command", "Count Leading Zeros"), UnaryOp::LeadingZeros},
    {Command::OpTrailingZeros, CommandList::Keys, "ActOpTrailingZeros", "ctz", "", "", 16, QT_TRANSLATE_NOOP("Command", "Count Trailing Zeros"), UnaryOp::TrailingZeros},
    // The window and bar commands.
    {Command::ToggleDec, CommandList::Menus, "ActToggleDec", QT_TRANSLATE_NOOP("Command", "&Decimal"), "", "", 5, QT_TRANSLATE_NOOP("Command", "Decimal"), BarKind::Decimal},
    {Command::ToggleHex, CommandList::Menus, "ActToggleHex", QT_TRANSLATE_NOOP("Command", "&Hexadecimal"), "", "", 6, QT_TRANSLATE_NOOP("Command", "Hexadecimal"), BarKind::Hex},
    {Command::ToggleOct, CommandList::Menus, "ActToggleOct", QT_TRANSLATE_NOOP("Command", "&Octal"), "", "", 6, QT_TRANSLATE_NOOP("Command", "Octal"), BarKind::Oct},
    {Command::ToggleBin, CommandList::Menus, "ActToggleBin", QT_TRANSLATE_NOOP("Command", "&Binary"), "", "", 6, QT_TRANSLATE_NOOP("Command", "Binary"), BarKind::Bin},
    {Command::ToggleChar, CommandList::Menus, "ActToggleChar", QT_TRANSLATE_NOOP("Command", "&Character"), "", "", 9, QT_TRANSLATE_NOOP("Command", "Character"), BarKind::Char},
    {Command::ToggleIP, CommandList::Menus, "ActToggleIP", QT_TRANSLATE_NOOP("Command", "&IP Address"), "", "", 11, "IP Address", BarKind::IP},
    {Command::ToggleSexagesimal, CommandList::Menus, "ActToggleSexagesimal", QT_TRANSLATE_NOOP("Command", "Sexa&gesimal"), "", "", 7, QT_TRANSLATE_NOOP("Command", "Sexagesimal"), BarKind::Degree},
    {Command::ToggleFloat, CommandList::Menus, "ActToggleFloat", QT_TRANSLATE_NOOP("Command", "&Floating Point"), "", "", 12, "IEEE754 Floating-point", BarKind::Float},
    {Command::ToggleTime, CommandList::Menus, "ActToggleTime", QT_TRANSLATE_NOOP("Command", "Date/&Time"), "", "", 10, QT_TRANSLATE_NOOP("Command", "Date/Time"), BarKind::Time},
    {Command::ToggleSize, CommandList::Menus, "ActToggleSize", QT_TRANSLATE_NOOP("Command", "&Kilo (1024)"), "", "", 8, QT_TRANSLATE_NOOP("Command", "Kilo (1024)"), BarKind::Kilo},
    {Command::BarNext, CommandList::Menus, "ActBarNext", QT_TRANSLATE_NOOP("Command", "&Next Bar"), "Tab", "Down", 3, QT_TRANSLATE_NOOP("Command", "Next Bar"), NoPayload{}},
    {Command::BarPrev, CommandList::Menus, "ActBarPrev", QT_TRANSLATE_NOOP("Command", "&Previous Bar"), "Shift+Tab", "Up", 3, QT_TRANSLATE_NOOP("Command", "Previous Bar"), NoPayload{}},
    {Command::DigitGrouping, CommandList::Menus, "ActDigitGrouping", QT_TRANSLATE_NOOP("Command", "Digit &Grouping"), "", "", 20, QT_TRANSLATE_NOOP("Command", "Digit Grouping"), NoPayload{}},
    {Command::EditCopy, CommandList::Menus, "ActEditCopy", QT_TRANSLATE_NOOP("Command", "&Copy"), "Ctrl+C", "", 20, QT_TRANSLATE_NOOP("Command", "Copy"), NoPayload{}},
    {Command::EditCopyGrouped, CommandList::Menus, "ActEditCopyGrouped", QT_TRANSLATE_NOOP("Command", "Copy with &Separators"), "Ctrl+Shift+C", "", 20, QT_TRANSLATE_NOOP("Command", "Copy with Separators"), NoPayload{}},
    {Command::EditPaste, CommandList::Menus, "ActEditPaste", QT_TRANSLATE_NOOP("Command", "&Paste"), "Ctrl+V", "", 20, QT_TRANSLATE_NOOP("Command", "Paste"), NoPayload{}},
    {Command::BarClose, CommandList::Menus, "ActBarClose", QT_TRANSLATE_NOOP("Command", "Clos&e"), "Ctrl+F4", "", 3, QT_TRANSLATE_NOOP("Command", "Close Bar"), NoPayload{}},
    {Command::HelpContents, CommandList::Menus, "ActHelpContents", QT_TRANSLATE_NOOP("Command", "&Help Topics"), "F1", "", 20, QT_TRANSLATE_NOOP("Command", "Help"), NoPayload{}},
    {Command::HelpAbout, CommandList::Menus, "ActHelpAbout", QT_TRANSLATE_NOOP("Command", "&About pexa..."), "", "", 20, QT_TRANSLATE_NOOP("Command", "About pexa"), NoPayload{}},
    {Command::Exit, CommandList::Menus, "ActExit", QT_TRANSLATE_NOOP("Command", "E&xit"), "Alt+F4", "", 20, QT_TRANSLATE_NOOP("Command", "Exit"), NoPayload{}},
    {Command::ShowIndicators, CommandList::Menus, "ActShowIndicators", QT_TRANSLATE_NOOP("Command", "&Indicators"), "", "", 20, QT_TRANSLATE_NOOP("Command", "Indicators"), NoPayload{}},
    {Command::QuickMenu, CommandList::Menus, "ActQuickMenu", QT_TRANSLATE_NOOP("Command", "&Quick Menu"), "Q", "", 22, QT_TRANSLATE_NOOP("Command", "Quick Menu"), NoPayload{}},
    {Command::DescriptiveQuickMenu, CommandList::Menus, "ActDescriptiveQuickMenu", QT_TRANSLATE_NOOP("Command", "Desc&riptive Quick Menu"), "Shift+Q", "", 22, QT_TRANSLATE_NOOP("Command", "Quick Menu"), NoPayload{}},
    {Command::ModeMenu, CommandList::Menus, "ActModeMenu", QT_TRANSLATE_NOOP("Command", "Mo&de Menu"), "M", "", 23, QT_TRANSLATE_NOOP("Command", "Mode Menu"), NoPayload{}},
    {Command::ToolBar, CommandList::Menus, "ActToolBar", QT_TRANSLATE_NOOP("Command", "&Tool Bar"), "", "", 20, QT_TRANSLATE_NOOP("Command", "Tool Bar"), NoPayload{}},
    {Command::MenuBar, CommandList::Menus, "ActMenuBar", QT_TRANSLATE_NOOP("Command", "&Menu Bar"), "", "", 20, QT_TRANSLATE_NOOP("Command", "Menu Bar"), NoPayload{}},
    {Command::ChooseFont, CommandList::Menus, "ActChooseFont", QT_TRANSLATE_NOOP("Command", "&Font..."), "", "", 20, QT_TRANSLATE_NOOP("Command", "Font"), NoPayload{}},
    {Command::ChooseBodyColour, CommandList::Menus, "ActChooseBodyColour", QT_TRANSLATE_NOOP("Command", "Body &Colour..."), "", "", 20, QT_TRANSLATE_NOOP("Command", "Body Colour"), NoPayload{}},
    {Command::ButtonPanel, CommandList::Menus, "ActButtonPanel", QT_TRANSLATE_NOOP("Command", "&Buttons"), "", "", 20, QT_TRANSLATE_NOOP("Command", "Buttons"), NoPayload{}},
    {Command::StayOnTop, CommandList::Menus, "ActStayOnTop", QT_TRANSLATE_NOOP("Command", "Stay on To&p"), "", "", 20, QT_TRANSLATE_NOOP("Command", "Stay on Top"), NoPayload{}},
    {Command::EditUndo, CommandList::Menus, "ActEditUndo", QT_TRANSLATE_NOOP("Command", "&Undo"), "Ctrl+Z", "", 20, QT_TRANSLATE_NOOP("Command", "Undo"), NoPayload{}},
    {Command::EditRedo, CommandList::Menus, "ActEditRedo", QT_TRANSLATE_NOOP("Command", "&Redo"), "Ctrl+Shift+Z", "Ctrl+Y", 20, QT_TRANSLATE_NOOP("Command", "Redo"), NoPayload{}},
    {Command::MemoryStore, CommandList::Menus, "ActMemoryStore", QT_TRANSLATE_NOOP("Command", "Memory &Store"), "Ctrl+M", "", 20, QT_TRANSLATE_NOOP("Command", "Store in Memory"), NoPayload{}},
    {Command::MemoryAdd, CommandList::Menus, "ActMemoryAdd", QT_TRANSLATE_NOOP("Command", "Memory &Add"), "Ctrl+P", "", 20, QT_TRANSLATE_NOOP("Command", "Add to Memory"), NoPayload{}},
    {Command::MemorySubtract, CommandList::Menus, "ActMemorySubtract", QT_TRANSLATE_NOOP("Command", "Memory S&ubtract"), "Ctrl+Shift+P", "", 20, QT_TRANSLATE_NOOP("Command", "Subtract from Memory"), NoPayload{}},
    {Command::MemoryRecall, CommandList::Menus, "ActMemoryRecall", QT_TRANSLATE_NOOP("Command", "Memory &Recall"), "Ctrl+Shift+M", "", 20, QT_TRANSLATE_NOOP("Command", "Recall Memory"), NoPayload{}},
    {Command::MemoryClear, CommandList::Menus, "ActMemoryClear", QT_TRANSLATE_NOOP("Command", "Memory &Clear"), "Ctrl+Shift+L", "", 20, QT_TRANSLATE_NOOP("Command", "Clear Memory"), NoPayload{}},
    {Command::EditCopyCLiteral, CommandList::Menus, "ActEditCopyCLiteral", QT_TRANSLATE_NOOP("Command", "Copy as C &Literal"), "Ctrl+Alt+C", "", 20, QT_TRANSLATE_NOOP("Command", "Copy as C Literal"), NoPayload{}},
    {Command::EditExpression, CommandList::Menus, "ActEditExpression", QT_TRANSLATE_NOOP("Command", "Enter &Expression"), "Ctrl+L", "", 20, QT_TRANSLATE_NOOP("Command", "Type an expression in the expression line"), NoPayload{}},
    {Command::ExpressionLine, CommandList::Menus, "ActExpressionLine", QT_TRANSLATE_NOOP("Command", "E&xpression Line"), "", "", 20, QT_TRANSLATE_NOOP("Command", "Expression Line"), NoPayload{}},
    {Command::HistoryPane, CommandList::Menus, "ActHistoryPane", QT_TRANSLATE_NOOP("Command", "&History"), "F9", "", 20, QT_TRANSLATE_NOOP("Command", "History"), NoPayload{}},
    {Command::FocusHistory, CommandList::Menus, "ActFocusHistory", QT_TRANSLATE_NOOP("Command", "Go to History"), "F6", "", 20, QT_TRANSLATE_NOOP("Command", "Moves the keyboard to the history"), NoPayload{}},
    {Command::EditCopyHistory, CommandList::Menus, "ActEditCopyHistory", QT_TRANSLATE_NOOP("Command", "Copy &History"), "Ctrl+Shift+H", "", 20, QT_TRANSLATE_NOOP("Command", "Copy History"), NoPayload{}},
    {Command::ClearHistory, CommandList::Menus, "ActClearHistory", QT_TRANSLATE_NOOP("Command", "Clear H&istory"), "", "", 20, QT_TRANSLATE_NOOP("Command", "Clear History"), NoPayload{}},
    // The option buttons of the bar variants.
    {Command::SexagesimalHours, CommandList::Bars, "ActSexagesimalHours", "hms", "", "", 7, QT_TRANSLATE_NOOP("Command", "[h]:m:s|No separators beyond 3 groups"), NoPayload{}},
    {Command::CharEncodeASCII, CommandList::Bars, "ActCharEncodeASCII", "A", "", "", 9, "ASCII", NoPayload{}},
    {Command::CharEncodeSJIS, CommandList::Bars, "ActCharEncodeSJIS", "S", "", "", 9, "Shift JIS", NoPayload{}},
    {Command::CharEncodeJIS, CommandList::Bars, "ActCharEncodeJIS", "J", "", "", 9, "JIS", NoPayload{}},
    {Command::CharEncodeEUC, CommandList::Bars, "ActCharEncodeEUC", "E", "", "", 9, "EUC-jp", NoPayload{}},
    {Command::CharEncodeUTF8, CommandList::Bars, "ActCharEncodeUTF8", "UTF8", "", "", 9, QT_TRANSLATE_NOOP("Command", "UTF-8|Shows the value's bytes as UTF-8"), NoPayload{}},
    {Command::CharEncodeUTF16, CommandList::Bars, "ActCharEncodeUTF16", "UTF16", "", "", 9, QT_TRANSLATE_NOOP("Command", "UTF-16|Shows the value as UTF-16 code units"), NoPayload{}},
    {Command::CharEncodeCodePoint, CommandList::Bars, "ActCharEncodeCodePoint", "U+", "", "", 9, QT_TRANSLATE_NOOP("Command", "Code point|Shows the value as a Unicode code point"), NoPayload{}},
    {Command::FloatHalf, CommandList::Bars, "ActFloatHalf", "half", "", "", 12, QT_TRANSLATE_NOOP("Command", "binary16|Shows a Word value as IEEE 754 half precision"), NoPayload{}},
    {Command::FloatBFloat16, CommandList::Bars, "ActFloatBFloat16", "bf16", "", "", 12, QT_TRANSLATE_NOOP("Command", "bfloat16|Shows a Word value as bfloat16"), NoPayload{}},
    {Command::FloatE4M3, CommandList::Bars, "ActFloatE4M3", "E4M3", "", "", 12, QT_TRANSLATE_NOOP("Command", "E4M3|Shows a Byte value as the 8-bit float E4M3"), NoPayload{}},
    {Command::FloatE5M2, CommandList::Bars, "ActFloatE5M2", "E5M2", "", "", 12, QT_TRANSLATE_NOOP("Command", "E5M2|Shows a Byte value as the 8-bit float E5M2"), NoPayload{}},
    {Command::TimeEncodeTimeT, CommandList::Bars, "ActTimeEncodeTimeT", "t", "", "", 10, QT_TRANSLATE_NOOP("Command", "time_t|C time_t"), NoPayload{}},
    {Command::TimeEncodeOleDate, CommandList::Bars, "ActTimeEncodeOleDate", "O", "", "", 10, QT_TRANSLATE_NOOP("Command", "OLE DATE|OLE DATE type"), NoPayload{}},
    {Command::TimeDifference, CommandList::Bars, "ActTimeDifference", "Diff", "", "", 10, QT_TRANSLATE_NOOP("Command", "Time difference|Shows a time difference instead of a date"), NoPayload{}},
};

constexpr KeyCharBinding KeyCharTable[] = {
    {'=', Command::Equal}, {'?', Command::RecallAnswer}, {'+', Command::OpAdd}, {'-', Command::OpSub},
    {'*', Command::OpMul}, {'/', Command::OpDiv}, {'%', Command::OpMod}, {'&', Command::OpAnd},
    {'|', Command::OpOr}, {'^', Command::OpXor}, {'<', Command::OpShiftLeft}, {'>', Command::OpShiftRight},
    {'w', Command::OpPower}, {'t', Command::OpRoot}, {'g', Command::OpLogN}, {'_', Command::Negate},
    {'~', Command::OpNot}, {'{', Command::OpShiftLeftByAmount}, {'}', Command::OpShiftRightByAmount}, {';', Command::ShiftAmountMenu},
    {'v', Command::OpReverseBytes}, {'V', Command::OpReverseBits}, {'i', Command::OpFloor}, {'j', Command::OpCeil},
    {'k', Command::OpRound}, {'#', Command::OpFrac}, {'@', Command::OpSqrt}, {'`', Command::OpSquare},
    {'\\', Command::OpReciprocal}, {'n', Command::OpLogE}, {'l', Command::OpLog10}, {'L', Command::OpLog2},
    {'x', Command::OpExpE}, {'y', Command::OpExp10}, {'X', Command::OpExp2}, {'!', Command::OpFactorial},
    {'I', Command::OpSin}, {'O', Command::OpCos}, {'T', Command::OpTan}, {'P', Command::Pi},
    {'0', Command::Digit0}, {'1', Command::Digit1}, {'2', Command::Digit2}, {'3', Command::Digit3},
    {'4', Command::Digit4}, {'5', Command::Digit5}, {'6', Command::Digit6}, {'7', Command::Digit7},
    {'8', Command::Digit8}, {'9', Command::Digit9}, {DecimalSeparatorKey, Command::Period},
    {'o', Command::OpPopCount}, {'h', Command::OpLeadingZeros}, {'r', Command::OpTrailingZeros},
};
// clang-format on

// The gradian unit is kept for settings written by older versions but is
// not offered to the user.
constexpr Command NotOfferedInControls[] = {Command::AngleGradians};

static_assert(std::size(CommandTable) == CommandCount, "the table has a row for every command");

// A lookup is an index, so row i must describe command i; and each list's
// rows stand together, in list order, so that a list is one slice.
constexpr bool RowsInCommandOrder() {
    for (std::size_t i = 0; i < std::size(CommandTable); ++i) {
        if (IndexOf(CommandTable[i].Id) != i)
            return false;
        if (i > 0 && CommandTable[i].List < CommandTable[i - 1].List)
            return false;
    }
    return true;
}
static_assert(RowsInCommandOrder(), "row i of the command table describes command i");

// Every typed character is one a key can type, and none runs two commands.
constexpr bool KeyCharsBoundOnce() {
    for (std::size_t i = 0; i < std::size(KeyCharTable); ++i) {
        const int code = static_cast<unsigned char>(KeyCharTable[i].Char);
        if (code == DecimalSeparatorKey)
            continue;
        if (code < kFirstKeyChar || code > kLastKeyChar)
            return false;
        for (std::size_t j = 0; j < i; ++j)
            if (KeyCharTable[j].Char == KeyCharTable[i].Char)
                return false;
    }
    return true;
}
static_assert(KeyCharsBoundOnce(), "each typed character is printable ASCII and bound once");

using KeyCharSlots = std::array<std::optional<Command>, kLastKeyChar - kFirstKeyChar + 1>;

constexpr KeyCharSlots MakeKeyCharSlots() {
    KeyCharSlots slots{};
    for (const KeyCharBinding& binding : KeyCharTable)
        if (binding.Char != DecimalSeparatorKey)
            slots[static_cast<std::size_t>(binding.Char - kFirstKeyChar)] = binding.Target;
    return slots;
}
constexpr KeyCharSlots KeyCharSlotTable = MakeKeyCharSlots();

} // namespace

std::span<const CommandInfo> Commands() {
    return CommandTable;
}
const CommandInfo& InfoOf(Command command) {
    return CommandTable[IndexOf(command)];
}
bool OfferedInControls(Command command) {
    return std::find(std::begin(NotOfferedInControls), std::end(NotOfferedInControls), command) ==
           std::end(NotOfferedInControls);
}
std::span<const KeyCharBinding> KeyCharBindings() {
    return KeyCharTable;
}
std::optional<Command> CommandOfTableChar(char ch) {
    const int code = static_cast<unsigned char>(ch);
    if (code < kFirstKeyChar || code > kLastKeyChar)
        return std::nullopt;
    return KeyCharSlotTable[static_cast<std::size_t>(code - kFirstKeyChar)];
}
std::optional<char> TableCharOf(Command command) {
    for (std::size_t i = 0; i < KeyCharSlotTable.size(); ++i)
        if (KeyCharSlotTable[i] == command)
            return static_cast<char>(kFirstKeyChar + static_cast<int>(i));
    return std::nullopt;
}

} // namespace pexa
