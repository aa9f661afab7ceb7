#include "ui/CommandTable.h"

#include <iterator>

namespace pexa {

namespace {

// clang-format off
constexpr CommandInfo CommandTable[] = {
    // The calculator keys.
    {Command::Equal, CommandList::Keys, "ActEqual", "Operation", "=", "Return", "Enter", 0, 15, "結果表示", NoPayload{}},
    {Command::Digit0, CommandList::Keys, "ActDigit0", "Input", "0", "0", "", 0, 21, "", TypedChar{'0'}},
    {Command::Digit1, CommandList::Keys, "ActDigit1", "Input", "1", "1", "", 0, 21, "", TypedChar{'1'}},
    {Command::Digit2, CommandList::Keys, "ActDigit2", "Input", "2", "2", "", 0, 21, "", TypedChar{'2'}},
    {Command::Digit3, CommandList::Keys, "ActDigit3", "Input", "3", "3", "", 0, 21, "", TypedChar{'3'}},
    {Command::Digit4, CommandList::Keys, "ActDigit4", "Input", "4", "4", "", 0, 21, "", TypedChar{'4'}},
    {Command::Negate, CommandList::Keys, "ActNegate", "Operation", "+/-", "", "", 0, 15, "符号反転", NoPayload{}},
    {Command::Digit5, CommandList::Keys, "ActDigit5", "Input", "5", "5", "", 0, 21, "", TypedChar{'5'}},
    {Command::Digit6, CommandList::Keys, "ActDigit6", "Input", "6", "6", "", 0, 21, "", TypedChar{'6'}},
    {Command::Digit7, CommandList::Keys, "ActDigit7", "Input", "7", "7", "", 0, 21, "", TypedChar{'7'}},
    {Command::Digit8, CommandList::Keys, "ActDigit8", "Input", "8", "8", "", 0, 21, "", TypedChar{'8'}},
    {Command::Digit9, CommandList::Keys, "ActDigit9", "Input", "9", "9", "", 0, 21, "", TypedChar{'9'}},
    {Command::DigitA, CommandList::Keys, "ActDigitA", "Input", "A", "A", "", 0, 21, "", TypedChar{'A'}},
    {Command::DigitB, CommandList::Keys, "ActDigitB", "Input", "B", "B", "", 0, 21, "", TypedChar{'B'}},
    {Command::DigitC, CommandList::Keys, "ActDigitC", "Input", "C", "C", "", 0, 21, "", TypedChar{'C'}},
    {Command::DigitD, CommandList::Keys, "ActDigitD", "Input", "D", "D", "", 0, 21, "", TypedChar{'D'}},
    {Command::DigitE, CommandList::Keys, "ActDigitE", "Input", "E", "E", "", 0, 21, "", TypedChar{'E'}},
    {Command::DigitF, CommandList::Keys, "ActDigitF", "Input", "F", "F", "", 0, 21, "", TypedChar{'F'}},
    {Command::DegreeSep, CommandList::Keys, "ActDegreeSep", "Input", ":", ":", "", 0, 21, "区切り文字", TypedChar{':'}},
    {Command::Period, CommandList::Keys, "ActPeriod", "Input", ".", ".", ",", 0, 21, "小数点", NoPayload{}},
    {Command::BackSpace, CommandList::Keys, "ActBackSpace", "Input", "Back", "Backspace", "", 0, 21, "1文字削除", NoPayload{}},
    {Command::ClearError, CommandList::Keys, "ActClearError", "Input", "Clear Error", "Del", "", 0, 21, "入力クリア", NoPayload{}},
    {Command::AllClear, CommandList::Keys, "ActAllClear", "Input", "Clear All", "Esc", "", 0, 21, "すべてクリア", NoPayload{}},
    {Command::OpAdd, CommandList::Keys, "ActOpAdd", "OpMath", "+", "", "", 0, 15, "加算", BinaryOp::Add},
    {Command::OpSub, CommandList::Keys, "ActOpSub", "OpMath", "-", "", "", 0, 15, "減算", BinaryOp::Sub},
    {Command::OpMul, CommandList::Keys, "ActOpMul", "OpMath", "*", "", "", 0, 15, "乗算", BinaryOp::Mul},
    {Command::OpDiv, CommandList::Keys, "ActOpDiv", "OpMath", "/", "", "", 0, 15, "除算", BinaryOp::Div},
    {Command::OpMod, CommandList::Keys, "ActOpMod", "OpMath", "Mod", "", "", 0, 15, "剰余", BinaryOp::Mod},
    {Command::ModeByte, CommandList::Keys, "ActModeByte", "Mode", "Byte", "Ctrl+B", "", 10, 13, "8ビット", CalcValueMode::Byte},
    {Command::ModeWord, CommandList::Keys, "ActModeWord", "Mode", "Word", "Ctrl+W", "", 10, 13, "16ビット", CalcValueMode::Word},
    {Command::ModeDWord, CommandList::Keys, "ActModeDWord", "Mode", "DWord", "Ctrl+D", "", 10, 13, "32ビット", CalcValueMode::DWord},
    {Command::ModeQWord, CommandList::Keys, "ActModeQWord", "Mode", "Int64", "Ctrl+Q", "", 10, 13, "64ビット", CalcValueMode::QWord},
    {Command::ModeFloat, CommandList::Keys, "ActModeFloat", "Mode", "Real", "Ctrl+R", "", 10, 13, "実数", CalcValueMode::Float},
    {Command::OpIntFloor, CommandList::Keys, "ActOpIntFloor", "OpMath", "Trunc", "", "", 0, 17, "切り捨て", UnaryOp::Floor},
    {Command::OpIntCeil, CommandList::Keys, "ActOpIntCeil", "OpMath", "Ceil", "", "", 0, 17, "切り上げ", UnaryOp::Ceil},
    {Command::OpIntRound, CommandList::Keys, "ActOpIntRound", "OpMath", "Round", "", "", 0, 17, "四捨五入", UnaryOp::Round},
    {Command::OpFrac, CommandList::Keys, "ActOpFrac", "OpMath", "Frac", "", "", 0, 17, "小数部取り出し", UnaryOp::Frac},
    {Command::OpAnd, CommandList::Keys, "ActOpAnd", "OpBit", "And", "", "", 0, 16, "論理積", BinaryOp::And},
    {Command::OpOr, CommandList::Keys, "ActOpOr", "OpBit", "Or", "", "", 0, 16, "論理和", BinaryOp::Or},
    {Command::OpXor, CommandList::Keys, "ActOpXor", "OpBit", "Xor", "", "", 0, 16, "排他的論理和", BinaryOp::Xor},
    {Command::OpNot, CommandList::Keys, "ActOpNot", "OpBit", "Not", "", "", 0, 16, "ビット反転", UnaryOp::Not},
    {Command::OpShiftLeft, CommandList::Keys, "ActOpShiftLeft", "OpBit", "<<", "", "", 0, 16, "左シフト", NoPayload{}},
    {Command::OpShiftRight, CommandList::Keys, "ActOpShiftRight", "OpBit", ">>", "", "", 0, 16, "右シフト", NoPayload{}},
    {Command::OpQShiftL, CommandList::Keys, "ActOpQShiftL", "OpBit", "<<n", "", "", 0, 16, "nビット左シフト", NoPayload{}},
    {Command::OpQShiftR, CommandList::Keys, "ActOpQShiftR", "OpBit", ">>n", "", "", 0, 16, "nビット右シフト", NoPayload{}},
    {Command::OpSquare, CommandList::Keys, "ActOpSquare", "OpMath", "x^2", "", "", 0, 17, "2乗", UnaryOp::Square},
    {Command::Rotate, CommandList::Keys, "ActRotate", "OpBit", "Rotate", "Ctrl+T", "", 23, 16, "ローテート", NoPayload{}},
    {Command::ShiftAr, CommandList::Keys, "ActShiftAr", "OpBit", "Arithmetic", "Ctrl+A", "", 24, 16, "算術シフト", NoPayload{}},
    {Command::OpReverse, CommandList::Keys, "ActOpReverse", "OpBit", "Reverse Bytes", "", "", 0, 16, "バイト並び反転", UnaryOp::ReverseByteOrder},
    {Command::OpSqrt, CommandList::Keys, "ActOpSqrt", "OpMath", "Sqrt", "", "", 0, 17, "平方根", UnaryOp::Sqrt},
    {Command::OpInvert, CommandList::Keys, "ActOpInvert", "OpMath", "1/x", "", "", 0, 17, "逆数", UnaryOp::Reciprocal},
    {Command::OpLogE, CommandList::Keys, "ActOpLogE", "OpMath", "Ln", "", "", 0, 17, "自然対数", UnaryOp::Ln},
    {Command::OpLog2, CommandList::Keys, "ActOpLog2", "OpMath", "Log2", "", "", 0, 17, "底2の対数", UnaryOp::Log2},
    {Command::OpLog10, CommandList::Keys, "ActOpLog10", "OpMath", "Log", "", "", 0, 17, "常用対数", UnaryOp::Log10},
    {Command::OpLogN, CommandList::Keys, "ActOpLogN", "OpMath", "LogN", "", "", 0, 17, "任意の底の対数", BinaryOp::LogN},
    {Command::OpExpE, CommandList::Keys, "ActOpExpE", "OpMath", "e^x", "", "", 0, 17, "eの累乗", UnaryOp::Exp},
    {Command::OpExp2, CommandList::Keys, "ActOpExp2", "OpMath", "2^x", "", "", 0, 17, "2の累乗", UnaryOp::Exp2},
    {Command::OpExp10, CommandList::Keys, "ActOpExp10", "OpMath", "10^x", "", "", 0, 17, "10の累乗", UnaryOp::Exp10},
    {Command::OpPower, CommandList::Keys, "ActOpPower", "OpMath", "x^y", "", "", 0, 17, "累乗", BinaryOp::Power},
    {Command::OpRoot, CommandList::Keys, "ActOpRoot", "OpMath", "Root", "", "", 0, 17, "累乗根", BinaryOp::Root},
    {Command::TriModeDeg, CommandList::Keys, "ActTriModeDeg", "OpTri", "Degree", "", "", 20, 18, "度単位", AngleUnit::Degree},
    {Command::TriModeRad, CommandList::Keys, "ActTriModeRad", "OpTri", "Radian", "", "", 20, 18, "ラジアン単位", AngleUnit::Radian},
    {Command::TriModeGrad, CommandList::Keys, "ActTriModeGrad", "OpTri", "Gradian", "", "", 20, 18, "グラジアン単位", AngleUnit::Gradian},
    {Command::TriHyp, CommandList::Keys, "ActTriHyp", "OpTri", "Hyperbolic", "Ctrl+H", "", 22, 18, "双曲線関数", NoPayload{}},
    {Command::OpSin, CommandList::Keys, "ActOpSin", "OpTri", "sin", "", "", 0, 18, "正弦", TrigChoice{TrigFunctionKind::Sin, false}},
    {Command::OpCos, CommandList::Keys, "ActOpCos", "OpTri", "cos", "", "", 0, 18, "余弦", TrigChoice{TrigFunctionKind::Cos, false}},
    {Command::OpTan, CommandList::Keys, "ActOpTan", "OpTri", "tan", "", "", 0, 18, "正接", TrigChoice{TrigFunctionKind::Tan, false}},
    {Command::OpArcSin, CommandList::Keys, "ActOpArcSin", "OpTri", "asin", "", "", 0, 18, "逆正弦", TrigChoice{TrigFunctionKind::Sin, true}},
    {Command::OpArcCos, CommandList::Keys, "ActOpArcCos", "OpTri", "acos", "", "", 0, 18, "逆余弦", TrigChoice{TrigFunctionKind::Cos, true}},
    {Command::OpArcTan, CommandList::Keys, "ActOpArcTan", "OpTri", "atan", "", "", 0, 18, "逆正接", TrigChoice{TrigFunctionKind::Tan, true}},
    {Command::Pi, CommandList::Keys, "ActPi", "OpTri", "PI", "", "", 0, 18, "円周率", NoPayload{}},
    {Command::OpBitReverse, CommandList::Keys, "ActOpBitReverse", "OpBit", "Reverse Bits", "", "", 0, 16, "ビット並び反転", UnaryOp::ReverseBitOrder},
    {Command::RecallAnswer, CommandList::Keys, "ActRecallAnswer", "Operation", "Answer", "", "", 0, 15, "直前の結果", NoPayload{}},
    {Command::ModeSigned, CommandList::Keys, "ActModeSigned", "Mode", "Signed", "Ctrl+S", "", 11, 13, "符号付きモード", NoPayload{}},
    {Command::ModeReversed, CommandList::Keys, "ActModeReversed", "Mode", "Reverse Endian", "Ctrl+E", "", 12, 13, "バイトオーダー変換", NoPayload{}},
    {Command::ShiftAmount1, CommandList::Keys, "ActShiftAmount1", "OpBit", "1", "", "", 0, 16, "シフト量1", ShiftAmountChoice{1}},
    {Command::ShiftAmount2, CommandList::Keys, "ActShiftAmount2", "OpBit", "2", "", "", 0, 16, "シフト量2", ShiftAmountChoice{2}},
    {Command::ShiftAmount4, CommandList::Keys, "ActShiftAmount4", "OpBit", "4", "", "", 0, 16, "シフト量4", ShiftAmountChoice{4}},
    {Command::ShiftAmount8, CommandList::Keys, "ActShiftAmount8", "OpBit", "8", "", "", 0, 16, "シフト量8", ShiftAmountChoice{8}},
    {Command::ShiftAmount16, CommandList::Keys, "ActShiftAmount16", "OpBit", "16", "", "", 0, 16, "シフト量16", ShiftAmountChoice{16}},
    {Command::OpFactorial, CommandList::Keys, "ActOpFactorial", "OpMath", "n!", "", "", 0, 17, "階乗", UnaryOp::Factorial},
    {Command::ShiftAmountSel, CommandList::Keys, "ActShiftAmountSel", "OpBit", "Bits", "", "", 0, 16, "シフト量選択", NoPayload{}},
    // The window and bar commands.
    {Command::ToggleDec, CommandList::Menus, "ActToggleDec", "Bar", "10進(&D)", "", "", 0, 5, "10進", BarKind::Decimal},
    {Command::ToggleHex, CommandList::Menus, "ActToggleHex", "Bar", "16進(&H)", "", "", 0, 6, "16進", BarKind::Hex},
    {Command::ToggleOct, CommandList::Menus, "ActToggleOct", "Bar", "8進(&O)", "", "", 0, 6, "8進", BarKind::Oct},
    {Command::ToggleBin, CommandList::Menus, "ActToggleBin", "Bar", "2進(&B)", "", "", 0, 6, "2進", BarKind::Bin},
    {Command::ToggleAscii, CommandList::Menus, "ActToggleAscii", "Bar", "文字(&C)", "", "", 0, 9, "文字", BarKind::Char},
    {Command::ToggleIP, CommandList::Menus, "ActToggleIP", "Bar", "&IPアドレス", "", "", 0, 11, "IP Address", BarKind::IP},
    {Command::ToggleDegree, CommandList::Menus, "ActToggleDegree", "Bar", "60進(&G)", "", "", 0, 7, "60進", BarKind::Degree},
    {Command::ToggleFloat, CommandList::Menus, "ActToggleFloat", "Bar", "浮動小数点(&F)", "", "", 0, 12, "IEEE754 Floating-point", BarKind::Float},
    {Command::ToggleTime, CommandList::Menus, "ActToggleTime", "Bar", "日付/時刻(&T)", "", "", 0, 10, "日付/時刻", BarKind::Time},
    {Command::ToggleKilo, CommandList::Menus, "ActToggleKilo", "Bar", "1024進(&K)", "", "", 0, 8, "1024進", BarKind::Kilo},
    {Command::BarNext, CommandList::Menus, "ActBarNext", "Bar", "次のバー(&N)", "Tab", "Down", 0, 3, "次のバー", NoPayload{}},
    {Command::BarPrev, CommandList::Menus, "ActBarPrev", "Bar", "前のバー(&P)", "Shift+Tab", "Up", 0, 3, "前のバー", NoPayload{}},
    {Command::Separated, CommandList::Menus, "ActSeparated", "Display", "桁区切り(&G)", "", "", 0, 20, "桁区切り", NoPayload{}},
    {Command::EditCopy, CommandList::Menus, "ActEditCopy", "Edit", "コピー(&C)", "Ctrl+C", "", 0, 20, "コピー", NoPayload{}},
    {Command::EditCopyFmt, CommandList::Menus, "ActEditCopyFmt", "Edit", "コピー（桁区切り付き）(&S)", "Ctrl+Shift+C", "", 0, 20, "桁区切り付きコピー", NoPayload{}},
    {Command::EditPaste, CommandList::Menus, "ActEditPaste", "Edit", "貼り付け(&P)", "Ctrl+V", "", 0, 20, "貼り付け", NoPayload{}},
    {Command::BarClose, CommandList::Menus, "ActBarClose", "Bar", "閉じる(&X)", "Ctrl+F4", "", 0, 3, "閉じる", NoPayload{}},
    {Command::HelpIndex, CommandList::Menus, "ActHelpIndex", "Help", "トピックの検索(&H)", "F1", "", 0, 20, "ヘルプ", NoPayload{}},
    {Command::HelpVersion, CommandList::Menus, "ActHelpVersion", "Help", "バージョン情報(&A)...", "", "", 0, 20, "バージョン情報", NoPayload{}},
    {Command::Exit, CommandList::Menus, "ActExit", "", "終了(&X)", "Alt+F4", "", 0, 20, "終了", NoPayload{}},
    {Command::ShowIndicators, CommandList::Menus, "ActShowIndicators", "Display", "状態表示(&I)", "", "", 0, 20, "状態表示", NoPayload{}},
    {Command::QuickMenu, CommandList::Menus, "ActQuickMenu", "", "演算メニュー(&Q)", "Q", "", 0, 22, "クイックメニュー", NoPayload{}},
    {Command::QuickMenuJ, CommandList::Menus, "ActQuickMenuJ", "", "演算メニュー(&J)", "Shift+Q", "", 0, 22, "クイックメニュー", NoPayload{}},
    {Command::ModeMenu, CommandList::Menus, "ActModeMenu", "", "モードメニュー(&M)", "M", "", 0, 23, "モードメニュー", NoPayload{}},
    {Command::ToolBar, CommandList::Menus, "ActToolBar", "Display", "ツールバー(&T)", "", "", 0, 20, "ツールバー", NoPayload{}},
    {Command::MenuBar, CommandList::Menus, "ActMenuBar", "Display", "メニューバー(&M)", "", "", 0, 20, "メニューバー", NoPayload{}},
    {Command::ChooseFont, CommandList::Menus, "ActChooseFont", "Display", "フォント(&F)...", "", "", 0, 20, "フォント", NoPayload{}},
    {Command::ChooseColor, CommandList::Menus, "ActChooseColor", "Display", "本体の色(&C)...", "", "", 0, 20, "本体の色", NoPayload{}},
    {Command::ButtonPanel, CommandList::Menus, "ActButtonPanel", "Display", "プッシュボタン(&B)", "", "", 0, 20, "プッシュボタン", NoPayload{}},
    {Command::StayOnTop, CommandList::Menus, "ActStayOnTop", "Display", "常に手前に表示(&P)", "", "", 0, 20, "手前に表示", NoPayload{}},
    // The option buttons of the bar variants.
    {Command::DegreeHMS, CommandList::Bars, "ActDegreeHMS", "Degree", "hms", "", "", 1001, 7, "[h]:m:s形式|3ブロック以上は区切りなしにする", NoPayload{}},
    {Command::CharEncodeASCII, CommandList::Bars, "ActCharEncodeASCII", "Char", "A", "", "", 1002, 9, "ASCII", NoPayload{}},
    {Command::CharEncodeSJIS, CommandList::Bars, "ActCharEncodeSJIS", "Char", "S", "", "", 1002, 9, "Shift JIS", NoPayload{}},
    {Command::CharEncodeJIS, CommandList::Bars, "ActCharEncodeJIS", "Char", "J", "", "", 1002, 9, "JIS", NoPayload{}},
    {Command::CharEncodeEUC, CommandList::Bars, "ActCharEncodeEUC", "Char", "E", "", "", 1002, 9, "EUC-jp", NoPayload{}},
    {Command::CharEncodeUTF8, CommandList::Bars, "ActCharEncodeUTF8", "Char", "UTF8", "", "", 1002, 9, "UTF-8|値のバイト列をUTF-8として表示します", NoPayload{}},
    {Command::CharEncodeUTF16, CommandList::Bars, "ActCharEncodeUTF16", "Char", "UTF16", "", "", 1002, 9, "UTF-16|値を16ビット単位のUTF-16として表示します", NoPayload{}},
    {Command::CharEncodeCodePoint, CommandList::Bars, "ActCharEncodeCodePoint", "Char", "U+", "", "", 1002, 9, "コードポイント|値をUnicodeの符号位置として文字で表示します", NoPayload{}},
    {Command::FloatHalf, CommandList::Bars, "ActFloatHalf", "Float", "half", "", "", 1005, 12, "binary16|Wordモードの値をIEEE 754の半精度として表示します", NoPayload{}},
    {Command::FloatBFloat16, CommandList::Bars, "ActFloatBFloat16", "Float", "bf16", "", "", 1005, 12, "bfloat16|Wordモードの値をbfloat16として表示します", NoPayload{}},
    {Command::FloatE4M3, CommandList::Bars, "ActFloatE4M3", "Float", "E4M3", "", "", 1006, 12, "E4M3|Byteモードの値を8ビット浮動小数点E4M3として表示します", NoPayload{}},
    {Command::FloatE5M2, CommandList::Bars, "ActFloatE5M2", "Float", "E5M2", "", "", 1006, 12, "E5M2|Byteモードの値を8ビット浮動小数点E5M2として表示します", NoPayload{}},
    {Command::TimeEncodeTimeT, CommandList::Bars, "ActTimeEncodeTimeT", "Date", "t", "", "", 1003, 10, "time_t|Cのtime_t型", NoPayload{}},
    {Command::TimeEncodeOleDate, CommandList::Bars, "ActTimeEncodeOleDate", "Date", "O", "", "", 1003, 10, "OLE DATE|OLEのDATE型", NoPayload{}},
    {Command::TimeDiffMode, CommandList::Bars, "ActTimeDiffMode", "Date", "Diff", "", "", 1004, 10, "時間差モード|日付けのかわりに時刻の差分を表示します", NoPayload{}},
};

constexpr KeyCharBinding KeyCharTable[] = {
    {'=', Command::Equal}, {'?', Command::RecallAnswer}, {'+', Command::OpAdd}, {'-', Command::OpSub},
    {'*', Command::OpMul}, {'/', Command::OpDiv}, {'%', Command::OpMod}, {'&', Command::OpAnd},
    {'|', Command::OpOr}, {'^', Command::OpXor}, {'<', Command::OpShiftLeft}, {'>', Command::OpShiftRight},
    {'w', Command::OpPower}, {'t', Command::OpRoot}, {'g', Command::OpLogN}, {'_', Command::Negate},
    {'~', Command::OpNot}, {'{', Command::OpQShiftL}, {'}', Command::OpQShiftR}, {';', Command::ShiftAmountSel},
    {'v', Command::OpReverse}, {'V', Command::OpBitReverse}, {'i', Command::OpIntFloor}, {'j', Command::OpIntCeil},
    {'k', Command::OpIntRound}, {'#', Command::OpFrac}, {'@', Command::OpSqrt}, {'`', Command::OpSquare},
    {'\\', Command::OpInvert}, {'n', Command::OpLogE}, {'l', Command::OpLog10}, {'L', Command::OpLog2},
    {'x', Command::OpExpE}, {'y', Command::OpExp10}, {'X', Command::OpExp2}, {'!', Command::OpFactorial},
    {'I', Command::OpSin}, {'O', Command::OpCos}, {'T', Command::OpTan}, {'P', Command::Pi},
    {'0', Command::Digit0}, {'1', Command::Digit1}, {'2', Command::Digit2}, {'3', Command::Digit3},
    {'4', Command::Digit4}, {'5', Command::Digit5}, {'6', Command::Digit6}, {'7', Command::Digit7},
    {'8', Command::Digit8}, {'9', Command::Digit9}, {DecimalSeparatorKey, Command::Period},
};
// clang-format on

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

constexpr std::size_t FirstOf(CommandList list) {
    std::size_t i = 0;
    while (i < std::size(CommandTable) && CommandTable[i].List < list)
        ++i;
    return i;
}

std::span<const CommandInfo> Slice(CommandList list, CommandList next, bool last) {
    const std::size_t first = FirstOf(list);
    const std::size_t end = last ? std::size(CommandTable) : FirstOf(next);
    return std::span<const CommandInfo>(CommandTable).subspan(first, end - first);
}

} // namespace

std::span<const CommandInfo> Commands() {
    return CommandTable;
}
const CommandInfo& InfoOf(Command command) {
    return CommandTable[IndexOf(command)];
}
std::span<const CommandInfo> KeyActionsTable() {
    return Slice(CommandList::Keys, CommandList::Menus, false);
}
std::span<const CommandInfo> MenuActionsTable() {
    return Slice(CommandList::Menus, CommandList::Bars, false);
}
std::span<const CommandInfo> BarActionsTable() {
    return Slice(CommandList::Bars, CommandList::Bars, true);
}
std::span<const KeyCharBinding> KeyCharBindings() {
    return KeyCharTable;
}

} // namespace pexa
