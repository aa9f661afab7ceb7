#include "ui/CommandTable.h"

#include <iterator>

namespace pexa {

namespace {

// clang-format off
const CommandInfo KeyActionsTable_[] = {
    {"ActEqual", 0, "Operation", "=", "Return", "Enter", 0, 15, "結果表示"},
    {"ActDigit0", 48, "Input", "0", "0", "", 0, 21, ""},
    {"ActDigit1", 49, "Input", "1", "1", "", 0, 21, ""},
    {"ActDigit2", 50, "Input", "2", "2", "", 0, 21, ""},
    {"ActDigit3", 51, "Input", "3", "3", "", 0, 21, ""},
    {"ActDigit4", 52, "Input", "4", "4", "", 0, 21, ""},
    {"ActNegate", 45, "Operation", "+/-", "", "", 0, 15, "符号反転"},
    {"ActDigit5", 53, "Input", "5", "5", "", 0, 21, ""},
    {"ActDigit6", 54, "Input", "6", "6", "", 0, 21, ""},
    {"ActDigit7", 55, "Input", "7", "7", "", 0, 21, ""},
    {"ActDigit8", 56, "Input", "8", "8", "", 0, 21, ""},
    {"ActDigit9", 57, "Input", "9", "9", "", 0, 21, ""},
    {"ActDigitA", 65, "Input", "A", "A", "", 0, 21, ""},
    {"ActDigitB", 66, "Input", "B", "B", "", 0, 21, ""},
    {"ActDigitC", 67, "Input", "C", "C", "", 0, 21, ""},
    {"ActDigitD", 68, "Input", "D", "D", "", 0, 21, ""},
    {"ActDigitE", 69, "Input", "E", "E", "", 0, 21, ""},
    {"ActDigitF", 70, "Input", "F", "F", "", 0, 21, ""},
    {"ActDegreeSep", 58, "Input", ":", ":", "", 0, 21, "区切り文字"},
    {"ActPeriod", 46, "Input", ".", ".", ",", 0, 21, "小数点"},
    {"ActBackSpace", 0, "Input", "Back", "Backspace", "", 0, 21, "1文字削除"},
    {"ActClearError", 0, "Input", "Clear Error", "Del", "", 0, 21, "入力クリア"},
    {"ActAllClear", 0, "Input", "Clear All", "Esc", "", 0, 21, "すべてクリア"},
    {"ActOpAdd", 0, "OpMath", "+", "", "", 0, 15, "加算"},
    {"ActOpSub", 0, "OpMath", "-", "", "", 0, 15, "減算"},
    {"ActOpMul", 0, "OpMath", "*", "", "", 0, 15, "乗算"},
    {"ActOpDiv", 0, "OpMath", "/", "", "", 0, 15, "除算"},
    {"ActOpMod", 0, "OpMath", "Mod", "", "", 0, 15, "剰余"},
    {"ActModeByte", 0, "Mode", "Byte", "Ctrl+B", "", 10, 13, "8ビット"},
    {"ActModeWord", 1, "Mode", "Word", "Ctrl+W", "", 10, 13, "16ビット"},
    {"ActModeDWord", 2, "Mode", "DWord", "Ctrl+D", "", 10, 13, "32ビット"},
    {"ActModeQWord", 3, "Mode", "Int64", "Ctrl+Q", "", 10, 13, "64ビット"},
    {"ActModeFloat", 4, "Mode", "Real", "Ctrl+R", "", 10, 13, "実数"},
    {"ActOpIntFloor", 0, "OpMath", "Trunc", "", "", 0, 17, "切り捨て"},
    {"ActOpIntCeil", 0, "OpMath", "Ceil", "", "", 0, 17, "切り上げ"},
    {"ActOpIntRound", 0, "OpMath", "Round", "", "", 0, 17, "四捨五入"},
    {"ActOpFrac", 0, "OpMath", "Frac", "", "", 0, 17, "小数部取り出し"},
    {"ActOpAnd", 0, "OpBit", "And", "", "", 0, 16, "論理積"},
    {"ActOpOr", 0, "OpBit", "Or", "", "", 0, 16, "論理和"},
    {"ActOpXor", 0, "OpBit", "Xor", "", "", 0, 16, "排他的論理和"},
    {"ActOpNot", 0, "OpBit", "Not", "", "", 0, 16, "ビット反転"},
    {"ActOpShiftLeft", 0, "OpBit", "<<", "", "", 0, 16, "左シフト"},
    {"ActOpShiftRight", 0, "OpBit", ">>", "", "", 0, 16, "右シフト"},
    {"ActOpQShiftL", 0, "OpBit", "<<n", "", "", 0, 16, "nビット左シフト"},
    {"ActOpQShiftR", 0, "OpBit", ">>n", "", "", 0, 16, "nビット右シフト"},
    {"ActOpSquare", 0, "OpMath", "x^2", "", "", 0, 17, "2乗"},
    {"ActRotate", 0, "OpBit", "Rotate", "Ctrl+T", "", 23, 16, "ローテート"},
    {"ActShiftAr", 0, "OpBit", "Arithmetic", "Ctrl+A", "", 24, 16, "算術シフト"},
    {"ActOpReverse", 0, "OpBit", "Reverse Bytes", "", "", 0, 16, "バイト並び反転"},
    {"ActOpSqrt", 0, "OpMath", "Sqrt", "", "", 0, 17, "平方根"},
    {"ActOpInvert", 0, "OpMath", "1/x", "", "", 0, 17, "逆数"},
    {"ActOpLogE", 0, "OpMath", "Ln", "", "", 0, 17, "自然対数"},
    {"ActOpLog2", 0, "OpMath", "Log2", "", "", 0, 17, "底2の対数"},
    {"ActOpLog10", 0, "OpMath", "Log", "", "", 0, 17, "常用対数"},
    {"ActOpLogN", 0, "OpMath", "LogN", "", "", 0, 17, "任意の底の対数"},
    {"ActOpExpE", 0, "OpMath", "e^x", "", "", 0, 17, "eの累乗"},
    {"ActOpExp2", 0, "OpMath", "2^x", "", "", 0, 17, "2の累乗"},
    {"ActOpExp10", 0, "OpMath", "10^x", "", "", 0, 17, "10の累乗"},
    {"ActOpPower", 0, "OpMath", "x^y", "", "", 0, 17, "累乗"},
    {"ActOpRoot", 0, "OpMath", "Root", "", "", 0, 17, "累乗根"},
    {"ActTriModeDeg", 0, "OpTri", "Degree", "", "", 20, 18, "度単位"},
    {"ActTriModeRad", 1, "OpTri", "Radian", "", "", 20, 18, "ラジアン単位"},
    {"ActTriModeGrad", 2, "OpTri", "Gradian", "", "", 20, 18, "グラジアン単位"},
    {"ActTriHyp", 0, "OpTri", "Hyperbolic", "Ctrl+H", "", 22, 18, "双曲線関数"},
    {"ActOpSin", 0, "OpTri", "sin", "", "", 0, 18, "正弦"},
    {"ActOpCos", 1, "OpTri", "cos", "", "", 0, 18, "余弦"},
    {"ActOpTan", 2, "OpTri", "tan", "", "", 0, 18, "正接"},
    {"ActOpArcSin", 0, "OpTri", "asin", "", "", 0, 18, "逆正弦"},
    {"ActOpArcCos", 1, "OpTri", "acos", "", "", 0, 18, "逆余弦"},
    {"ActOpArcTan", 2, "OpTri", "atan", "", "", 0, 18, "逆正接"},
    {"ActPi", 0, "OpTri", "PI", "", "", 0, 18, "円周率"},
    {"ActOpBitReverse", 0, "OpBit", "Reverse Bits", "", "", 0, 16, "ビット並び反転"},
    {"ActRecallAnswer", 0, "Operation", "Answer", "", "", 0, 15, "直前の結果"},
    {"ActModeSigned", 0, "Mode", "Signed", "Ctrl+S", "", 11, 13, "符号付きモード"},
    {"ActModeReversed", 0, "Mode", "Reverse Endian", "Ctrl+E", "", 12, 13, "バイトオーダー変換"},
    {"ActShiftAmount1", 1, "OpBit", "1", "", "", 0, 16, "シフト量1"},
    {"ActShiftAmount2", 2, "OpBit", "2", "", "", 0, 16, "シフト量2"},
    {"ActShiftAmount4", 4, "OpBit", "4", "", "", 0, 16, "シフト量4"},
    {"ActShiftAmount8", 8, "OpBit", "8", "", "", 0, 16, "シフト量8"},
    {"ActShiftAmount16", 16, "OpBit", "16", "", "", 0, 16, "シフト量16"},
    {"ActOpFactorial", 0, "OpMath", "n!", "", "", 0, 17, "階乗"},
    {"ActShiftAmountSel", 0, "OpBit", "Bits", "", "", 0, 16, "シフト量選択"},
};

const CommandInfo MenuActionsTable_[] = {
    {"ActToggleDec", 0, "Bar", "10進(&D)", "", "", 0, 5, "10進"},
    {"ActToggleHex", 1, "Bar", "16進(&H)", "", "", 0, 6, "16進"},
    {"ActToggleOct", 2, "Bar", "8進(&O)", "", "", 0, 6, "8進"},
    {"ActToggleBin", 3, "Bar", "2進(&B)", "", "", 0, 6, "2進"},
    {"ActToggleAscii", 4, "Bar", "文字(&C)", "", "", 0, 9, "文字"},
    {"ActToggleIP", 5, "Bar", "&IPアドレス", "", "", 0, 11, "IP Address"},
    {"ActToggleDegree", 6, "Bar", "60進(&G)", "", "", 0, 7, "60進"},
    {"ActToggleFloat", 7, "Bar", "浮動小数点(&F)", "", "", 0, 12, "IEEE754 Floating-point"},
    {"ActToggleTime", 8, "Bar", "日付/時刻(&T)", "", "", 0, 10, "日付/時刻"},
    {"ActToggleKilo", 9, "Bar", "1024進(&K)", "", "", 0, 8, "1024進"},
    {"ActBarNext", 0, "Bar", "次のバー(&N)", "Tab", "Down", 0, 3, "次のバー"},
    {"ActBarPrev", 0, "Bar", "前のバー(&P)", "Shift+Tab", "Up", 0, 3, "前のバー"},
    {"ActSeparated", 0, "Display", "桁区切り(&G)", "", "", 0, 20, "桁区切り"},
    {"ActEditCopy", 0, "Edit", "コピー(&C)", "Ctrl+C", "", 0, 20, "コピー"},
    {"ActEditCopyFmt", 1, "Edit", "コピー（桁区切り付き）(&S)", "Ctrl+Shift+C", "", 0, 20, "桁区切り付きコピー"},
    {"ActEditPaste", 0, "Edit", "貼り付け(&P)", "Ctrl+V", "", 0, 20, "貼り付け"},
    {"ActBarClose", 0, "Bar", "閉じる(&X)", "Ctrl+F4", "", 0, 3, "閉じる"},
    {"ActHelpIndex", 0, "Help", "トピックの検索(&H)", "F1", "", 0, 20, "ヘルプ"},
    {"ActHelpVersion", 0, "Help", "バージョン情報(&A)...", "", "", 0, 20, "バージョン情報"},
    {"ActExit", 0, "", "終了(&X)", "Alt+F4", "", 0, 20, "終了"},
    {"ActShowIndicators", 0, "Display", "状態表示(&I)", "", "", 0, 20, "状態表示"},
    {"ActQuickMenu", 0, "", "演算メニュー(&Q)", "Q", "", 0, 22, "クイックメニュー"},
    {"ActQuickMenuJ", 1, "", "演算メニュー(&J)", "Shift+Q", "", 0, 22, "クイックメニュー"},
    {"ActModeMenu", 0, "", "モードメニュー(&M)", "M", "", 0, 23, "モードメニュー"},
    {"ActToolBar", 0, "Display", "ツールバー(&T)", "", "", 0, 20, "ツールバー"},
    {"ActMenuBar", 0, "Display", "メニューバー(&M)", "", "", 0, 20, "メニューバー"},
    {"ActChooseFont", 0, "Display", "フォント(&F)...", "", "", 0, 20, "フォント"},
    {"ActChooseColor", 0, "Display", "本体の色(&C)...", "", "", 0, 20, "本体の色"},
    {"ActButtonPanel", 0, "Display", "プッシュボタン(&B)", "", "", 0, 20, "プッシュボタン"},
    {"ActStayOnTop", 0, "Display", "常に手前に表示(&P)", "", "", 0, 20, "手前に表示"},
};

const CommandInfo BarActionsTable_[] = {
    {"ActDegreeHMS", 0, "Degree", "hms", "", "", 1001, 7, "[h]:m:s形式|3ブロック以上は区切りなしにする"},
    {"ActCharEncodeASCII", 0, "Char", "A", "", "", 1002, 9, "ASCII"},
    {"ActCharEncodeSJIS", 1, "Char", "S", "", "", 1002, 9, "Shift JIS"},
    {"ActCharEncodeJIS", 2, "Char", "J", "", "", 1002, 9, "JIS"},
    {"ActCharEncodeEUC", 3, "Char", "E", "", "", 1002, 9, "EUC-jp"},
    {"ActCharEncodeUTF8", 4, "Char", "UTF8", "", "", 1002, 9, "UTF-8|値のバイト列をUTF-8として表示します"},
    {"ActCharEncodeUTF16", 5, "Char", "UTF16", "", "", 1002, 9, "UTF-16|値を16ビット単位のUTF-16として表示します"},
    {"ActCharEncodeCodePoint", 6, "Char", "U+", "", "", 1002, 9, "コードポイント|値をUnicodeの符号位置として文字で表示します"},
    {"ActFloatHalf", 0, "Float", "half", "", "", 1005, 12, "binary16|Wordモードの値をIEEE 754の半精度として表示します"},
    {"ActFloatBFloat16", 1, "Float", "bf16", "", "", 1005, 12, "bfloat16|Wordモードの値をbfloat16として表示します"},
    {"ActFloatE4M3", 0, "Float", "E4M3", "", "", 1006, 12, "E4M3|Byteモードの値を8ビット浮動小数点E4M3として表示します"},
    {"ActFloatE5M2", 1, "Float", "E5M2", "", "", 1006, 12, "E5M2|Byteモードの値を8ビット浮動小数点E5M2として表示します"},
    {"ActTimeEncodeTimeT", 0, "Date", "t", "", "", 1003, 10, "time_t|Cのtime_t型"},
    {"ActTimeEncodeOleDate", 0, "Date", "O", "", "", 1003, 10, "OLE DATE|OLEのDATE型"},
    {"ActTimeDiffMode", 0, "Date", "Diff", "", "", 1004, 10, "時間差モード|日付けのかわりに時刻の差分を表示します"},
};

const KeyCharBinding KeyCharTable[] = {
    {'=', "ActEqual"}, {'?', "ActRecallAnswer"}, {'+', "ActOpAdd"}, {'-', "ActOpSub"},
    {'*', "ActOpMul"}, {'/', "ActOpDiv"}, {'%', "ActOpMod"}, {'&', "ActOpAnd"},
    {'|', "ActOpOr"}, {'^', "ActOpXor"}, {'<', "ActOpShiftLeft"}, {'>', "ActOpShiftRight"},
    {'w', "ActOpPower"}, {'t', "ActOpRoot"}, {'g', "ActOpLogN"}, {'_', "ActNegate"},
    {'~', "ActOpNot"}, {'{', "ActOpQShiftL"}, {'}', "ActOpQShiftR"}, {';', "ActShiftAmountSel"},
    {'v', "ActOpReverse"}, {'V', "ActOpBitReverse"}, {'i', "ActOpIntFloor"}, {'j', "ActOpIntCeil"},
    {'k', "ActOpIntRound"}, {'#', "ActOpFrac"}, {'@', "ActOpSqrt"}, {'`', "ActOpSquare"},
    {'\\', "ActOpInvert"}, {'n', "ActOpLogE"}, {'l', "ActOpLog10"}, {'L', "ActOpLog2"},
    {'x', "ActOpExpE"}, {'y', "ActOpExp10"}, {'X', "ActOpExp2"}, {'!', "ActOpFactorial"},
    {'I', "ActOpSin"}, {'O', "ActOpCos"}, {'T', "ActOpTan"}, {'P', "ActPi"},
    {'0', "ActDigit0"}, {'1', "ActDigit1"}, {'2', "ActDigit2"}, {'3', "ActDigit3"},
    {'4', "ActDigit4"}, {'5', "ActDigit5"}, {'6', "ActDigit6"}, {'7', "ActDigit7"},
    {'8', "ActDigit8"}, {'9', "ActDigit9"}, {DecimalSeparatorKey, "ActPeriod"},
};
// clang-format on

const CommandInfo* FindIn(std::span<const CommandInfo> table, std::string_view name) {
    for (const CommandInfo& info : table)
        if (name == info.Name)
            return &info;
    return nullptr;
}

} // namespace

std::span<const CommandInfo> KeyActionsTable() {
    return KeyActionsTable_;
}
std::span<const CommandInfo> MenuActionsTable() {
    return MenuActionsTable_;
}
std::span<const CommandInfo> BarActionsTable() {
    return BarActionsTable_;
}
std::span<const KeyCharBinding> KeyCharBindings() {
    return KeyCharTable;
}

const CommandInfo* FindCommand(std::string_view name) {
    if (const CommandInfo* info = FindIn(KeyActionsTable(), name))
        return info;
    if (const CommandInfo* info = FindIn(MenuActionsTable(), name))
        return info;
    return FindIn(BarActionsTable(), name);
}

} // namespace pexa
