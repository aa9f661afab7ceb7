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
    {Command::Equal, CommandList::Keys, "actionEqual", "=", "Return", "Enter", 15, QT_TRANSLATE_NOOP("Command", "Result"), NoPayload{}},
    {Command::Digit0, CommandList::Keys, "actionDigit0", "0", "0", "", 21, "", TypedChar{'0'}},
    {Command::Digit1, CommandList::Keys, "actionDigit1", "1", "1", "", 21, "", TypedChar{'1'}},
    {Command::Digit2, CommandList::Keys, "actionDigit2", "2", "2", "", 21, "", TypedChar{'2'}},
    {Command::Digit3, CommandList::Keys, "actionDigit3", "3", "3", "", 21, "", TypedChar{'3'}},
    {Command::Digit4, CommandList::Keys, "actionDigit4", "4", "4", "", 21, "", TypedChar{'4'}},
    {Command::Negate, CommandList::Keys, "actionNegate", "+/-", "", "", 15, QT_TRANSLATE_NOOP("Command", "Change Sign"), NoPayload{}},
    {Command::Digit5, CommandList::Keys, "actionDigit5", "5", "5", "", 21, "", TypedChar{'5'}},
    {Command::Digit6, CommandList::Keys, "actionDigit6", "6", "6", "", 21, "", TypedChar{'6'}},
    {Command::Digit7, CommandList::Keys, "actionDigit7", "7", "7", "", 21, "", TypedChar{'7'}},
    {Command::Digit8, CommandList::Keys, "actionDigit8", "8", "8", "", 21, "", TypedChar{'8'}},
    {Command::Digit9, CommandList::Keys, "actionDigit9", "9", "9", "", 21, "", TypedChar{'9'}},
    {Command::DigitA, CommandList::Keys, "actionDigitA", "A", "A", "", 21, "", TypedChar{'A'}},
    {Command::DigitB, CommandList::Keys, "actionDigitB", "B", "B", "", 21, "", TypedChar{'B'}},
    {Command::DigitC, CommandList::Keys, "actionDigitC", "C", "C", "", 21, "", TypedChar{'C'}},
    {Command::DigitD, CommandList::Keys, "actionDigitD", "D", "D", "", 21, "", TypedChar{'D'}},
    {Command::DigitE, CommandList::Keys, "actionDigitE", "E", "E", "", 21, "", TypedChar{'E'}},
    {Command::DigitF, CommandList::Keys, "actionDigitF", "F", "F", "", 21, "", TypedChar{'F'}},
    {Command::Separator, CommandList::Keys, "actionSeparator", ":", ":", "", 21, QT_TRANSLATE_NOOP("Command", "Separator"), TypedChar{':'}},
    {Command::Period, CommandList::Keys, "actionPeriod", ".", ".", ",", 21, QT_TRANSLATE_NOOP("Command", "Decimal Point"), NoPayload{}},
    {Command::BackSpace, CommandList::Keys, "actionBackSpace", "Back", "Backspace", "", 21, QT_TRANSLATE_NOOP("Command", "Delete Character"), NoPayload{}},
    {Command::ClearEntry, CommandList::Keys, "actionClearEntry", "Clear Error", "Del", "", 21, QT_TRANSLATE_NOOP("Command", "Clear Entry"), NoPayload{}},
    {Command::ClearAll, CommandList::Keys, "actionClearAll", "Clear All", "Esc", "", 21, QT_TRANSLATE_NOOP("Command", "Clear Everything"), NoPayload{}},
    {Command::OpAdd, CommandList::Keys, "actionOpAdd", "+", "", "", 15, QT_TRANSLATE_NOOP("Command", "Add"), BinaryOp::Add},
    {Command::OpSub, CommandList::Keys, "actionOpSub", "-", "", "", 15, QT_TRANSLATE_NOOP("Command", "Subtract"), BinaryOp::Sub},
    {Command::OpMul, CommandList::Keys, "actionOpMul", "*", "", "", 15, QT_TRANSLATE_NOOP("Command", "Multiply"), BinaryOp::Mul},
    {Command::OpDiv, CommandList::Keys, "actionOpDiv", "/", "", "", 15, QT_TRANSLATE_NOOP("Command", "Divide"), BinaryOp::Div},
    {Command::OpMod, CommandList::Keys, "actionOpMod", "Mod", "", "", 15, QT_TRANSLATE_NOOP("Command", "Remainder"), BinaryOp::Mod},
    {Command::ModeByte, CommandList::Keys, "actionModeByte", "Byte", "Ctrl+B", "", 13, QT_TRANSLATE_NOOP("Command", "8 Bits"), CalcValueMode::Byte},
    {Command::ModeWord, CommandList::Keys, "actionModeWord", "Word", "Ctrl+W", "", 13, QT_TRANSLATE_NOOP("Command", "16 Bits"), CalcValueMode::Word},
    {Command::ModeDWord, CommandList::Keys, "actionModeDWord", "DWord", "Ctrl+D", "", 13, QT_TRANSLATE_NOOP("Command", "32 Bits"), CalcValueMode::DWord},
    {Command::ModeInt64, CommandList::Keys, "actionModeInt64", "Int64", "Ctrl+Q", "", 13, QT_TRANSLATE_NOOP("Command", "64 Bits"), CalcValueMode::QWord},
    {Command::ModeReal, CommandList::Keys, "actionModeReal", "Real", "Ctrl+R", "", 13, QT_TRANSLATE_NOOP("Command", "Real Number"), CalcValueMode::Float},
    {Command::OpFloor, CommandList::Keys, "actionOpFloor", QT_TRANSLATE_NOOP("Command", "Floor"), "", "", 17, QT_TRANSLATE_NOOP("Command", "Round Down"), UnaryOp::Floor},
    {Command::OpCeil, CommandList::Keys, "actionOpCeil", "Ceil", "", "", 17, QT_TRANSLATE_NOOP("Command", "Ceiling"), UnaryOp::Ceil},
    {Command::OpRound, CommandList::Keys, "actionOpRound", "Round", "", "", 17, QT_TRANSLATE_NOOP("Command", "Round to Nearest"), UnaryOp::Round},
    {Command::OpFrac, CommandList::Keys, "actionOpFrac", "Frac", "", "", 17, QT_TRANSLATE_NOOP("Command", "Fractional Part"), UnaryOp::Frac},
    {Command::OpAnd, CommandList::Keys, "actionOpAnd", "And", "", "", 16, QT_TRANSLATE_NOOP("Command", "Bitwise And"), BinaryOp::And},
    {Command::OpOr, CommandList::Keys, "actionOpOr", "Or", "", "", 16, QT_TRANSLATE_NOOP("Command", "Bitwise Or"), BinaryOp::Or},
    {Command::OpXor, CommandList::Keys, "actionOpXor", "Xor", "", "", 16, QT_TRANSLATE_NOOP("Command", "Bitwise Xor"), BinaryOp::Xor},
    {Command::OpNot, CommandList::Keys, "actionOpNot", "Not", "", "", 16, QT_TRANSLATE_NOOP("Command", "Bitwise Not"), UnaryOp::Not},
    {Command::OpShiftLeft, CommandList::Keys, "actionOpShiftLeft", "<<", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift Left"), NoPayload{}},
    {Command::OpShiftRight, CommandList::Keys, "actionOpShiftRight", ">>", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift Right"), NoPayload{}},
    {Command::OpShiftLeftByAmount, CommandList::Keys, "actionOpShiftLeftByAmount", "<<n", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift Left n Bits"), NoPayload{}},
    {Command::OpShiftRightByAmount, CommandList::Keys, "actionOpShiftRightByAmount", ">>n", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift Right n Bits"), NoPayload{}},
    {Command::OpSquare, CommandList::Keys, "actionOpSquare", "x^2", "", "", 17, QT_TRANSLATE_NOOP("Command", "Square"), UnaryOp::Square},
    {Command::Rotate, CommandList::Keys, "actionRotate", "Rotate", "Ctrl+T", "", 16, QT_TRANSLATE_NOOP("Command", "Rotating Shifts"), NoPayload{}},
    {Command::ArithmeticShift, CommandList::Keys, "actionArithmeticShift", "Arithmetic", "Ctrl+A", "", 16, QT_TRANSLATE_NOOP("Command", "Arithmetic Shift"), NoPayload{}},
    {Command::OpReverseBytes, CommandList::Keys, "actionOpReverseBytes", "Reverse Bytes", "", "", 16, QT_TRANSLATE_NOOP("Command", "Reverse Byte Order"), UnaryOp::ReverseByteOrder},
    {Command::OpSqrt, CommandList::Keys, "actionOpSqrt", "Sqrt", "", "", 17, QT_TRANSLATE_NOOP("Command", "Square Root"), UnaryOp::Sqrt},
    {Command::OpReciprocal, CommandList::Keys, "actionOpReciprocal", "1/x", "", "", 17, QT_TRANSLATE_NOOP("Command", "Reciprocal"), UnaryOp::Reciprocal},
    {Command::OpLogE, CommandList::Keys, "actionOpLogE", "Ln", "", "", 17, QT_TRANSLATE_NOOP("Command", "Natural Log"), UnaryOp::Ln},
    {Command::OpLog2, CommandList::Keys, "actionOpLog2", "Log2", "", "", 17, QT_TRANSLATE_NOOP("Command", "Log Base 2"), UnaryOp::Log2},
    {Command::OpLog10, CommandList::Keys, "actionOpLog10", "Log", "", "", 17, QT_TRANSLATE_NOOP("Command", "Common Log"), UnaryOp::Log10},
    {Command::OpLogN, CommandList::Keys, "actionOpLogN", "LogN", "", "", 17, QT_TRANSLATE_NOOP("Command", "Log Base n"), BinaryOp::LogN},
    {Command::OpExpE, CommandList::Keys, "actionOpExpE", "e^x", "", "", 17, QT_TRANSLATE_NOOP("Command", "e to the x"), UnaryOp::Exp},
    {Command::OpExp2, CommandList::Keys, "actionOpExp2", "2^x", "", "", 17, QT_TRANSLATE_NOOP("Command", "2 to the x"), UnaryOp::Exp2},
    {Command::OpExp10, CommandList::Keys, "actionOpExp10", "10^x", "", "", 17, QT_TRANSLATE_NOOP("Command", "10 to the x"), UnaryOp::Exp10},
    {Command::OpPower, CommandList::Keys, "actionOpPower", "x^y", "", "", 17, QT_TRANSLATE_NOOP("Command", "Power"), BinaryOp::Power},
    {Command::OpRoot, CommandList::Keys, "actionOpRoot", "Root", "", "", 17, QT_TRANSLATE_NOOP("Command", "Nth Root"), BinaryOp::Root},
    {Command::AngleDegrees, CommandList::Keys, "actionAngleDegrees", "Degree", "", "", 18, QT_TRANSLATE_NOOP("Command", "Degrees"), AngleUnit::Degree},
    {Command::AngleRadians, CommandList::Keys, "actionAngleRadians", "Radian", "", "", 18, QT_TRANSLATE_NOOP("Command", "Radians"), AngleUnit::Radian},
    {Command::AngleGradians, CommandList::Keys, "actionAngleGradians", "Gradian", "", "", 18, QT_TRANSLATE_NOOP("Command", "Gradians"), AngleUnit::Gradian},
    {Command::Hyperbolic, CommandList::Keys, "actionHyperbolic", "Hyperbolic", "Ctrl+H", "", 18, QT_TRANSLATE_NOOP("Command", "Hyperbolic Functions"), NoPayload{}},
    {Command::OpSin, CommandList::Keys, "actionOpSin", "sin", "", "", 18, QT_TRANSLATE_NOOP("Command", "Sine"), TrigChoice{TrigFunctionKind::Sin, false}},
    {Command::OpCos, CommandList::Keys, "actionOpCos", "cos", "", "", 18, QT_TRANSLATE_NOOP("Command", "Cosine"), TrigChoice{TrigFunctionKind::Cos, false}},
    {Command::OpTan, CommandList::Keys, "actionOpTan", "tan", "", "", 18, QT_TRANSLATE_NOOP("Command", "Tangent"), TrigChoice{TrigFunctionKind::Tan, false}},
    {Command::OpArcSin, CommandList::Keys, "actionOpArcSin", "asin", "", "", 18, QT_TRANSLATE_NOOP("Command", "Arcsine"), TrigChoice{TrigFunctionKind::Sin, true}},
    {Command::OpArcCos, CommandList::Keys, "actionOpArcCos", "acos", "", "", 18, QT_TRANSLATE_NOOP("Command", "Arccosine"), TrigChoice{TrigFunctionKind::Cos, true}},
    {Command::OpArcTan, CommandList::Keys, "actionOpArcTan", "atan", "", "", 18, QT_TRANSLATE_NOOP("Command", "Arctangent"), TrigChoice{TrigFunctionKind::Tan, true}},
    {Command::Pi, CommandList::Keys, "actionPi", "PI", "", "", 18, QT_TRANSLATE_NOOP("Command", "Pi"), NoPayload{}},
    {Command::OpReverseBits, CommandList::Keys, "actionOpReverseBits", "Reverse Bits", "", "", 16, QT_TRANSLATE_NOOP("Command", "Reverse Bit Order"), UnaryOp::ReverseBitOrder},
    {Command::RecallAnswer, CommandList::Keys, "actionRecallAnswer", "Answer", "", "", 15, QT_TRANSLATE_NOOP("Command", "Last Result"), NoPayload{}},
    {Command::ModeSigned, CommandList::Keys, "actionModeSigned", "Signed", "Ctrl+S", "", 13, QT_TRANSLATE_NOOP("Command", "Signed Mode"), NoPayload{}},
    {Command::ModeByteSwap, CommandList::Keys, "actionModeByteSwap", QT_TRANSLATE_NOOP("Command", "Byte Swap"), "Ctrl+E", "", 13, QT_TRANSLATE_NOOP("Command", "Swap Byte Order"), NoPayload{}},
    {Command::ShiftAmount1, CommandList::Keys, "actionShiftAmount1", "1", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift by 1"), ShiftAmountChoice{1}},
    {Command::ShiftAmount2, CommandList::Keys, "actionShiftAmount2", "2", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift by 2"), ShiftAmountChoice{2}},
    {Command::ShiftAmount4, CommandList::Keys, "actionShiftAmount4", "4", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift by 4"), ShiftAmountChoice{4}},
    {Command::ShiftAmount8, CommandList::Keys, "actionShiftAmount8", "8", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift by 8"), ShiftAmountChoice{8}},
    {Command::ShiftAmount16, CommandList::Keys, "actionShiftAmount16", "16", "", "", 16, QT_TRANSLATE_NOOP("Command", "Shift by 16"), ShiftAmountChoice{16}},
    {Command::OpFactorial, CommandList::Keys, "actionOpFactorial", "n!", "", "", 17, QT_TRANSLATE_NOOP("Command", "Factorial"), UnaryOp::Factorial},
    {Command::ShiftAmountMenu, CommandList::Keys, "actionShiftAmountMenu", "Bits", "", "", 16, QT_TRANSLATE_NOOP("Command", "Choose Shift Amount"), NoPayload{}},
    {Command::OpPopCount, CommandList::Keys, "actionOpPopCount", "popcount", "", "", 16, QT_TRANSLATE_NOOP("Command", "Count One Bits"), UnaryOp::PopCount},
    {Command::OpLeadingZeros, CommandList::Keys, "actionOpLeadingZeros", "clz", "", "", 16, QT_TRANSLATE_NOOP("Command", "Count Leading Zeros"), UnaryOp::LeadingZeros},
    {Command::OpTrailingZeros, CommandList::Keys, "actionOpTrailingZeros", "ctz", "", "", 16, QT_TRANSLATE_NOOP("Command", "Count Trailing Zeros"), UnaryOp::TrailingZeros},
    // The window and bar commands.
    {Command::ToggleDec, CommandList::Menus, "actionToggleDec", QT_TRANSLATE_NOOP("Command", "&Decimal"), "", "", 5, QT_TRANSLATE_NOOP("Command", "Decimal"), BarKind::Decimal},
    {Command::ToggleHex, CommandList::Menus, "actionToggleHex", QT_TRANSLATE_NOOP("Command", "&Hexadecimal"), "", "", 6, QT_TRANSLATE_NOOP("Command", "Hexadecimal"), BarKind::Hex},
    {Command::ToggleOct, CommandList::Menus, "actionToggleOct", QT_TRANSLATE_NOOP("Command", "&Octal"), "", "", 6, QT_TRANSLATE_NOOP("Command", "Octal"), BarKind::Oct},
    {Command::ToggleBin, CommandList::Menus, "actionToggleBin", QT_TRANSLATE_NOOP("Command", "&Binary"), "", "", 6, QT_TRANSLATE_NOOP("Command", "Binary"), BarKind::Bin},
    {Command::ToggleChar, CommandList::Menus, "actionToggleChar", QT_TRANSLATE_NOOP("Command", "&Character"), "", "", 9, QT_TRANSLATE_NOOP("Command", "Character"), BarKind::Char},
    {Command::ToggleIP, CommandList::Menus, "actionToggleIP", QT_TRANSLATE_NOOP("Command", "&IP Address"), "", "", 11, "IP Address", BarKind::IP},
    {Command::ToggleSexagesimal, CommandList::Menus, "actionToggleSexagesimal", QT_TRANSLATE_NOOP("Command", "Sexa&gesimal"), "", "", 7, QT_TRANSLATE_NOOP("Command", "Sexagesimal"), BarKind::Degree},
    {Command::ToggleFloat, CommandList::Menus, "actionToggleFloat", QT_TRANSLATE_NOOP("Command", "&Floating Point"), "", "", 12, "IEEE754 Floating-point", BarKind::Float},
    {Command::ToggleTime, CommandList::Menus, "actionToggleTime", QT_TRANSLATE_NOOP("Command", "Date/&Time"), "", "", 10, QT_TRANSLATE_NOOP("Command", "Date/Time"), BarKind::Time},
    {Command::ToggleSize, CommandList::Menus, "actionToggleSize", QT_TRANSLATE_NOOP("Command", "&Kilo (1024)"), "", "", 8, QT_TRANSLATE_NOOP("Command", "Kilo (1024)"), BarKind::Kilo},
    {Command::BarNext, CommandList::Menus, "actionBarNext", QT_TRANSLATE_NOOP("Command", "&Next Bar"), "Tab", "Down", 3, QT_TRANSLATE_NOOP("Command", "Next Bar"), NoPayload{}},
    {Command::BarPrev, CommandList::Menus, "actionBarPrev", QT_TRANSLATE_NOOP("Command", "&Previous Bar"), "Shift+Tab", "Up", 3, QT_TRANSLATE_NOOP("Command", "Previous Bar"), NoPayload{}},
    {Command::DigitGrouping, CommandList::Menus, "actionDigitGrouping", QT_TRANSLATE_NOOP("Command", "Digit &Grouping"), "", "", 20, QT_TRANSLATE_NOOP("Command", "Digit Grouping"), NoPayload{}},
    {Command::EditCopy, CommandList::Menus, "actionEditCopy", QT_TRANSLATE_NOOP("Command", "&Copy"), "Ctrl+C", "", 20, QT_TRANSLATE_NOOP("Command", "Copy"), NoPayload{}},
    {Command::EditCopyGrouped, CommandList::Menus, "actionEditCopyGrouped", QT_TRANSLATE_NOOP("Command", "Copy with &Separators"), "Ctrl+Shift+C", "", 20, QT_TRANSLATE_NOOP("Command", "Copy with Separators"), NoPayload{}},
    {Command::EditPaste, CommandList::Menus, "actionEditPaste", QT_TRANSLATE_NOOP("Command", "&Paste"), "Ctrl+V", "", 20, QT_TRANSLATE_NOOP("Command", "Paste"), NoPayload{}},
    {Command::BarClose, CommandList::Menus, "actionBarClose", QT_TRANSLATE_NOOP("Command", "Clos&e"), "Ctrl+F4", "", 3, QT_TRANSLATE_NOOP("Command", "Close Bar"), NoPayload{}},
    {Command::HelpContents, CommandList::Menus, "actionHelpContents", QT_TRANSLATE_NOOP("Command", "&Help Topics"), "F1", "", 20, QT_TRANSLATE_NOOP("Command", "Help"), NoPayload{}},
    {Command::HelpAbout, CommandList::Menus, "actionHelpAbout", QT_TRANSLATE_NOOP("Command", "&About pexa..."), "", "", 20, QT_TRANSLATE_NOOP("Command", "About pexa"), NoPayload{}},
    {Command::Exit, CommandList::Menus, "actionExit", QT_TRANSLATE_NOOP("Command", "E&xit"), "Alt+F4", "", 20, QT_TRANSLATE_NOOP("Command", "Exit"), NoPayload{}},
    {Command::ShowIndicators, CommandList::Menus, "actionShowIndicators", QT_TRANSLATE_NOOP("Command", "&Indicators"), "", "", 20, QT_TRANSLATE_NOOP("Command", "Indicators"), NoPayload{}},
    {Command::QuickMenu, CommandList::Menus, "actionQuickMenu", QT_TRANSLATE_NOOP("Command", "&Quick Menu"), "Q", "", 22, QT_TRANSLATE_NOOP("Command", "Quick Menu"), NoPayload{}},
    {Command::DescriptiveQuickMenu, CommandList::Menus, "actionDescriptiveQuickMenu", QT_TRANSLATE_NOOP("Command", "Desc&riptive Quick Menu"), "Shift+Q", "", 22, QT_TRANSLATE_NOOP("Command", "Quick Menu"), NoPayload{}},
    {Command::ModeMenu, CommandList::Menus, "actionModeMenu", QT_TRANSLATE_NOOP("Command", "Mo&de Menu"), "M", "", 23, QT_TRANSLATE_NOOP("Command", "Mode Menu"), NoPayload{}},
    {Command::ToolBar, CommandList::Menus, "actionToolBar", QT_TRANSLATE_NOOP("Command", "&Tool Bar"), "", "", 20, QT_TRANSLATE_NOOP("Command", "Tool Bar"), NoPayload{}},
    {Command::MenuBar, CommandList::Menus, "actionMenuBar", QT_TRANSLATE_NOOP("Command", "&Menu Bar"), "", "", 20, QT_TRANSLATE_NOOP("Command", "Menu Bar"), NoPayload{}},
    {Command::ChooseFont, CommandList::Menus, "actionChooseFont", QT_TRANSLATE_NOOP("Command", "&Font..."), "", "", 20, QT_TRANSLATE_NOOP("Command", "Font"), NoPayload{}},
    {Command::ChooseBodyColour, CommandList::Menus, "actionChooseBodyColour", QT_TRANSLATE_NOOP("Command", "Body &Colour..."), "", "", 20, QT_TRANSLATE_NOOP("Command", "Body Colour"), NoPayload{}},
    {Command::ButtonPanel, CommandList::Menus, "actionButtonPanel", QT_TRANSLATE_NOOP("Command", "&Buttons"), "", "", 20, QT_TRANSLATE_NOOP("Command", "Buttons"), NoPayload{}},
    {Command::StayOnTop, CommandList::Menus, "actionStayOnTop", QT_TRANSLATE_NOOP("Command", "Stay on To&p"), "", "", 20, QT_TRANSLATE_NOOP("Command", "Stay on Top"), NoPayload{}},
    {Command::EditUndo, CommandList::Menus, "actionEditUndo", QT_TRANSLATE_NOOP("Command", "&Undo"), "Ctrl+Z", "", 20, QT_TRANSLATE_NOOP("Command", "Undo"), NoPayload{}},
    {Command::EditRedo, CommandList::Menus, "actionEditRedo", QT_TRANSLATE_NOOP("Command", "&Redo"), "Ctrl+Shift+Z", "Ctrl+Y", 20, QT_TRANSLATE_NOOP("Command", "Redo"), NoPayload{}},
    {Command::MemoryStore, CommandList::Menus, "actionMemoryStore", QT_TRANSLATE_NOOP("Command", "Memory &Store"), "Ctrl+M", "", 20, QT_TRANSLATE_NOOP("Command", "Store in Memory"), NoPayload{}},
    {Command::MemoryAdd, CommandList::Menus, "actionMemoryAdd", QT_TRANSLATE_NOOP("Command", "Memory &Add"), "Ctrl+P", "", 20, QT_TRANSLATE_NOOP("Command", "Add to Memory"), NoPayload{}},
    {Command::MemorySubtract, CommandList::Menus, "actionMemorySubtract", QT_TRANSLATE_NOOP("Command", "Memory S&ubtract"), "Ctrl+Shift+P", "", 20, QT_TRANSLATE_NOOP("Command", "Subtract from Memory"), NoPayload{}},
    {Command::MemoryRecall, CommandList::Menus, "actionMemoryRecall", QT_TRANSLATE_NOOP("Command", "Memory &Recall"), "Ctrl+Shift+M", "", 20, QT_TRANSLATE_NOOP("Command", "Recall Memory"), NoPayload{}},
    {Command::MemoryClear, CommandList::Menus, "actionMemoryClear", QT_TRANSLATE_NOOP("Command", "Memory &Clear"), "Ctrl+Shift+L", "", 20, QT_TRANSLATE_NOOP("Command", "Clear Memory"), NoPayload{}},
    {Command::EditCopyCLiteral, CommandList::Menus, "actionEditCopyCLiteral", QT_TRANSLATE_NOOP("Command", "Copy as C &Literal"), "Ctrl+Alt+C", "", 20, QT_TRANSLATE_NOOP("Command", "Copy as C Literal"), NoPayload{}},
    {Command::EditExpression, CommandList::Menus, "actionEditExpression", QT_TRANSLATE_NOOP("Command", "Enter &Expression"), "Ctrl+L", "", 20, QT_TRANSLATE_NOOP("Command", "Type an expression in the expression line"), NoPayload{}},
    {Command::ExpressionLine, CommandList::Menus, "actionExpressionLine", QT_TRANSLATE_NOOP("Command", "E&xpression Line"), "", "", 20, QT_TRANSLATE_NOOP("Command", "Expression Line"), NoPayload{}},
    {Command::HistoryPane, CommandList::Menus, "actionHistoryPane", QT_TRANSLATE_NOOP("Command", "&History"), "F9", "", 20, QT_TRANSLATE_NOOP("Command", "History"), NoPayload{}},
    {Command::FocusHistory, CommandList::Menus, "actionFocusHistory", QT_TRANSLATE_NOOP("Command", "Go to History"), "F6", "", 20, QT_TRANSLATE_NOOP("Command", "Moves the keyboard to the history"), NoPayload{}},
    {Command::EditCopyHistory, CommandList::Menus, "actionEditCopyHistory", QT_TRANSLATE_NOOP("Command", "Copy &History"), "Ctrl+Shift+H", "", 20, QT_TRANSLATE_NOOP("Command", "Copy History"), NoPayload{}},
    {Command::ClearHistory, CommandList::Menus, "actionClearHistory", QT_TRANSLATE_NOOP("Command", "Clear H&istory"), "", "", 20, QT_TRANSLATE_NOOP("Command", "Clear History"), NoPayload{}},
    // The option buttons of the bar variants.
    {Command::SexagesimalHours, CommandList::Bars, "actionSexagesimalHours", "hms", "", "", 7, QT_TRANSLATE_NOOP("Command", "[h]:m:s|No separators beyond 3 groups"), NoPayload{}},
    {Command::CharEncodeASCII, CommandList::Bars, "actionCharEncodeASCII", "A", "", "", 9, "ASCII", NoPayload{}},
    {Command::CharEncodeSJIS, CommandList::Bars, "actionCharEncodeSJIS", "S", "", "", 9, "Shift JIS", NoPayload{}},
    {Command::CharEncodeJIS, CommandList::Bars, "actionCharEncodeJIS", "J", "", "", 9, "JIS", NoPayload{}},
    {Command::CharEncodeEUC, CommandList::Bars, "actionCharEncodeEUC", "E", "", "", 9, "EUC-jp", NoPayload{}},
    {Command::CharEncodeUTF8, CommandList::Bars, "actionCharEncodeUTF8", "UTF8", "", "", 9, QT_TRANSLATE_NOOP("Command", "UTF-8|Shows the value's bytes as UTF-8"), NoPayload{}},
    {Command::CharEncodeUTF16, CommandList::Bars, "actionCharEncodeUTF16", "UTF16", "", "", 9, QT_TRANSLATE_NOOP("Command", "UTF-16|Shows the value as UTF-16 code units"), NoPayload{}},
    {Command::CharEncodeCodePoint, CommandList::Bars, "actionCharEncodeCodePoint", "U+", "", "", 9, QT_TRANSLATE_NOOP("Command", "Code point|Shows the value as a Unicode code point"), NoPayload{}},
    {Command::FloatHalf, CommandList::Bars, "actionFloatHalf", "half", "", "", 12, QT_TRANSLATE_NOOP("Command", "binary16|Shows a Word value as IEEE 754 half precision"), NoPayload{}},
    {Command::FloatBFloat16, CommandList::Bars, "actionFloatBFloat16", "bf16", "", "", 12, QT_TRANSLATE_NOOP("Command", "bfloat16|Shows a Word value as bfloat16"), NoPayload{}},
    {Command::FloatE4M3, CommandList::Bars, "actionFloatE4M3", "E4M3", "", "", 12, QT_TRANSLATE_NOOP("Command", "E4M3|Shows a Byte value as the 8-bit float E4M3"), NoPayload{}},
    {Command::FloatE5M2, CommandList::Bars, "actionFloatE5M2", "E5M2", "", "", 12, QT_TRANSLATE_NOOP("Command", "E5M2|Shows a Byte value as the 8-bit float E5M2"), NoPayload{}},
    {Command::TimeEncodeTimeT, CommandList::Bars, "actionTimeEncodeTimeT", "t", "", "", 10, QT_TRANSLATE_NOOP("Command", "time_t|C time_t"), NoPayload{}},
    {Command::TimeEncodeOleDate, CommandList::Bars, "actionTimeEncodeOleDate", "O", "", "", 10, QT_TRANSLATE_NOOP("Command", "OLE DATE|OLE DATE type"), NoPayload{}},
    {Command::TimeDifference, CommandList::Bars, "actionTimeDifference", "Diff", "", "", 10, QT_TRANSLATE_NOOP("Command", "Time difference|Shows a time difference instead of a date"), NoPayload{}},
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
