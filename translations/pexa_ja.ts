<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>CalcError</name>
    <message>
        <source>Cannot divide by zero</source>
        <translation>0で割ることはできません</translation>
    </message>
    <message>
        <source>Overflow</source>
        <translation>オーバーフローしました</translation>
    </message>
    <message>
        <source>Underflow</source>
        <translation>アンダーフローしました</translation>
    </message>
    <message>
        <source>Invalid operation</source>
        <translation>計算できません</translation>
    </message>
    <message>
        <source>Invalid value</source>
        <translation>無効な値です</translation>
    </message>
    <message>
        <source>Math error</source>
        <translation>演算エラー</translation>
    </message>
</context>
<context>
    <name>Refusal</name>
    <message>
        <source>Not a decimal number: %1</source>
        <translation>10進数ではありません: %1</translation>
    </message>
    <message>
        <source>Not a hexadecimal number: %1</source>
        <translation>16進数ではありません: %1</translation>
    </message>
    <message>
        <source>Not an octal number: %1</source>
        <translation>8進数ではありません: %1</translation>
    </message>
    <message>
        <source>Not a binary number: %1</source>
        <translation>2進数ではありません: %1</translation>
    </message>
    <message>
        <source>Not a character this bar takes: %1</source>
        <translation>このバーに入力できない文字です: %1</translation>
    </message>
    <message>
        <source>Not an IP address: %1</source>
        <translation>IP アドレスではありません: %1</translation>
    </message>
    <message>
        <source>Not a degree value: %1</source>
        <translation>度の値ではありません: %1</translation>
    </message>
    <message>
        <source>Not a floating-point number: %1</source>
        <translation>浮動小数点数ではありません: %1</translation>
    </message>
    <message>
        <source>Not a date/time: %1</source>
        <translation>日付/時刻ではありません: %1</translation>
    </message>
    <message>
        <source>Not a size: %1</source>
        <translation>サイズではありません: %1</translation>
    </message>
    <message>
        <source>signed %1</source>
        <translation>符号付き %1</translation>
    </message>
    <message>
        <source>Too large for %1: %2</source>
        <translation>%1 には大きすぎます: %2</translation>
    </message>
    <message>
        <source>Too small for %1: %2</source>
        <translation>%1 には小さすぎます: %2</translation>
    </message>
    <message>
        <source>Too many decimals for %1: %2</source>
        <translation>%1 には小数の桁が多すぎます: %2</translation>
    </message>
    <message>
        <source>Too long for %1: %2</source>
        <translation>%1 には長すぎます: %2</translation>
    </message>
    <message>
        <source>Not an unsigned number: %1</source>
        <translation>符号なしの数ではありません: %1</translation>
    </message>
    <message>
        <source>Nothing to paste: only blanks</source>
        <translation>貼り付ける内容がありません (空白のみ)</translation>
    </message>
    <message>
        <source>Only a sign: %1</source>
        <translation>符号だけです: %1</translation>
    </message>
    <message>
        <source>Not valid UTF-8 text: byte %1 at position %2</source>
        <translation>UTF-8 のテキストではありません: 位置 %2 のバイト %1</translation>
    </message>
    <message>
        <source>Not a valid entry: correct it or clear it</source>
        <translation>入力が正しくありません。修正するかクリアしてください</translation>
    </message>
    <message>
        <source>No valid value</source>
        <translation>有効な値がありません</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <source>Result</source>
        <translation>結果表示</translation>
    </message>
    <message>
        <source>Change Sign</source>
        <translation>符号反転</translation>
    </message>
    <message>
        <source>Separator</source>
        <translation>区切り文字</translation>
    </message>
    <message>
        <source>Decimal Point</source>
        <translation>小数点</translation>
    </message>
    <message>
        <source>Delete Character</source>
        <translation>1文字削除</translation>
    </message>
    <message>
        <source>Clear Entry</source>
        <translation>入力クリア</translation>
    </message>
    <message>
        <source>Clear Everything</source>
        <translation>すべてクリア</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>加算</translation>
    </message>
    <message>
        <source>Subtract</source>
        <translation>減算</translation>
    </message>
    <message>
        <source>Multiply</source>
        <translation>乗算</translation>
    </message>
    <message>
        <source>Divide</source>
        <translation>除算</translation>
    </message>
    <message>
        <source>Remainder</source>
        <translation>剰余</translation>
    </message>
    <message>
        <source>8 Bits</source>
        <translation>8ビット</translation>
    </message>
    <message>
        <source>16 Bits</source>
        <translation>16ビット</translation>
    </message>
    <message>
        <source>32 Bits</source>
        <translation>32ビット</translation>
    </message>
    <message>
        <source>64 Bits</source>
        <translation>64ビット</translation>
    </message>
    <message>
        <source>Real Number</source>
        <translation>実数</translation>
    </message>
    <message>
        <source>Round Down</source>
        <translation>切り捨て</translation>
    </message>
    <message>
        <source>Floor</source>
        <translation>Trunc</translation>
    </message>
    <message>
        <source>Ceiling</source>
        <translation>切り上げ</translation>
    </message>
    <message>
        <source>Round to Nearest</source>
        <translation>四捨五入</translation>
    </message>
    <message>
        <source>Fractional Part</source>
        <translation>小数部取り出し</translation>
    </message>
    <message>
        <source>Bitwise And</source>
        <translation>論理積</translation>
    </message>
    <message>
        <source>Bitwise Or</source>
        <translation>論理和</translation>
    </message>
    <message>
        <source>Bitwise Xor</source>
        <translation>排他的論理和</translation>
    </message>
    <message>
        <source>Bitwise Not</source>
        <translation>ビット反転</translation>
    </message>
    <message>
        <source>Shift Left</source>
        <translation>左シフト</translation>
    </message>
    <message>
        <source>Shift Right</source>
        <translation>右シフト</translation>
    </message>
    <message>
        <source>Shift Left n Bits</source>
        <translation>nビット左シフト</translation>
    </message>
    <message>
        <source>Shift Right n Bits</source>
        <translation>nビット右シフト</translation>
    </message>
    <message>
        <source>Square</source>
        <translation>2乗</translation>
    </message>
    <message>
        <source>Rotating Shifts</source>
        <translation>ローテート</translation>
    </message>
    <message>
        <source>Arithmetic Shift</source>
        <translation>算術シフト</translation>
    </message>
    <message>
        <source>Reverse Byte Order</source>
        <translation>バイト並び反転</translation>
    </message>
    <message>
        <source>Square Root</source>
        <translation>平方根</translation>
    </message>
    <message>
        <source>Reciprocal</source>
        <translation>逆数</translation>
    </message>
    <message>
        <source>Natural Log</source>
        <translation>自然対数</translation>
    </message>
    <message>
        <source>Log Base 2</source>
        <translation>底2の対数</translation>
    </message>
    <message>
        <source>Common Log</source>
        <translation>常用対数</translation>
    </message>
    <message>
        <source>Log Base n</source>
        <translation>任意の底の対数</translation>
    </message>
    <message>
        <source>e to the x</source>
        <translation>eの累乗</translation>
    </message>
    <message>
        <source>2 to the x</source>
        <translation>2の累乗</translation>
    </message>
    <message>
        <source>10 to the x</source>
        <translation>10の累乗</translation>
    </message>
    <message>
        <source>Power</source>
        <translation>累乗</translation>
    </message>
    <message>
        <source>Nth Root</source>
        <translation>累乗根</translation>
    </message>
    <message>
        <source>Degrees</source>
        <translation>度単位</translation>
    </message>
    <message>
        <source>Radians</source>
        <translation>ラジアン単位</translation>
    </message>
    <message>
        <source>Gradians</source>
        <translation>グラジアン単位</translation>
    </message>
    <message>
        <source>Hyperbolic Functions</source>
        <translation>双曲線関数</translation>
    </message>
    <message>
        <source>Sine</source>
        <translation>正弦</translation>
    </message>
    <message>
        <source>Cosine</source>
        <translation>余弦</translation>
    </message>
    <message>
        <source>Tangent</source>
        <translation>正接</translation>
    </message>
    <message>
        <source>Arcsine</source>
        <translation>逆正弦</translation>
    </message>
    <message>
        <source>Arccosine</source>
        <translation>逆余弦</translation>
    </message>
    <message>
        <source>Arctangent</source>
        <translation>逆正接</translation>
    </message>
    <message>
        <source>Pi</source>
        <translation>円周率</translation>
    </message>
    <message>
        <source>Reverse Bit Order</source>
        <translation>ビット並び反転</translation>
    </message>
    <message>
        <source>Last Result</source>
        <translation>直前の結果</translation>
    </message>
    <message>
        <source>Signed Mode</source>
        <translation>符号付きモード</translation>
    </message>
    <message>
        <source>Swap Byte Order</source>
        <translation>バイトオーダー変換</translation>
    </message>
    <message>
        <source>Byte Swap</source>
        <translation>Reverse Endian</translation>
    </message>
    <message>
        <source>Shift by 1</source>
        <translation>シフト量1</translation>
    </message>
    <message>
        <source>Shift by 2</source>
        <translation>シフト量2</translation>
    </message>
    <message>
        <source>Shift by 4</source>
        <translation>シフト量4</translation>
    </message>
    <message>
        <source>Shift by 8</source>
        <translation>シフト量8</translation>
    </message>
    <message>
        <source>Shift by 16</source>
        <translation>シフト量16</translation>
    </message>
    <message>
        <source>Factorial</source>
        <translation>階乗</translation>
    </message>
    <message>
        <source>Choose Shift Amount</source>
        <translation>シフト量選択</translation>
    </message>
    <message>
        <source>Count One Bits</source>
        <translation>1のビットを数える</translation>
    </message>
    <message>
        <source>Count Leading Zeros</source>
        <translation>上位の0のビットを数える</translation>
    </message>
    <message>
        <source>Count Trailing Zeros</source>
        <translation>下位の0のビットを数える</translation>
    </message>
    <message>
        <source>&amp;Decimal</source>
        <translation>10進(&amp;D)</translation>
    </message>
    <message>
        <source>Decimal</source>
        <translation>10進</translation>
    </message>
    <message>
        <source>&amp;Hexadecimal</source>
        <translation>16進(&amp;H)</translation>
    </message>
    <message>
        <source>Hexadecimal</source>
        <translation>16進</translation>
    </message>
    <message>
        <source>&amp;Octal</source>
        <translation>8進(&amp;O)</translation>
    </message>
    <message>
        <source>Octal</source>
        <translation>8進</translation>
    </message>
    <message>
        <source>&amp;Binary</source>
        <translation>2進(&amp;B)</translation>
    </message>
    <message>
        <source>Binary</source>
        <translation>2進</translation>
    </message>
    <message>
        <source>&amp;Character</source>
        <translation>文字(&amp;C)</translation>
    </message>
    <message>
        <source>Character</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>&amp;IP Address</source>
        <translation>&amp;IPアドレス</translation>
    </message>
    <message>
        <source>Sexa&amp;gesimal</source>
        <translation>60進(&amp;G)</translation>
    </message>
    <message>
        <source>Sexagesimal</source>
        <translation>60進</translation>
    </message>
    <message>
        <source>&amp;Floating Point</source>
        <translation>浮動小数点(&amp;F)</translation>
    </message>
    <message>
        <source>Date/&amp;Time</source>
        <translation>日付/時刻(&amp;T)</translation>
    </message>
    <message>
        <source>Date/Time</source>
        <translation>日付/時刻</translation>
    </message>
    <message>
        <source>&amp;Kilo (1024)</source>
        <translation>1024進(&amp;K)</translation>
    </message>
    <message>
        <source>Kilo (1024)</source>
        <translation>1024進</translation>
    </message>
    <message>
        <source>&amp;Next Bar</source>
        <translation>次のバー(&amp;N)</translation>
    </message>
    <message>
        <source>Next Bar</source>
        <translation>次のバー</translation>
    </message>
    <message>
        <source>&amp;Previous Bar</source>
        <translation>前のバー(&amp;P)</translation>
    </message>
    <message>
        <source>Previous Bar</source>
        <translation>前のバー</translation>
    </message>
    <message>
        <source>Digit &amp;Grouping</source>
        <translation>桁区切り(&amp;G)</translation>
    </message>
    <message>
        <source>Digit Grouping</source>
        <translation>桁区切り</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>コピー(&amp;C)</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>コピー</translation>
    </message>
    <message>
        <source>Copy with &amp;Separators</source>
        <translation>コピー（桁区切り付き）(&amp;S)</translation>
    </message>
    <message>
        <source>Copy with Separators</source>
        <translation>桁区切り付きコピー</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>貼り付け(&amp;P)</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <source>Clos&amp;e</source>
        <translation>閉じる(&amp;X)</translation>
    </message>
    <message>
        <source>Close Bar</source>
        <translation>閉じる</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>トピックの検索(&amp;H)</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>&amp;About pexa...</source>
        <translation>バージョン情報(&amp;A)...</translation>
    </message>
    <message>
        <source>About pexa</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>&amp;Indicators</source>
        <translation>状態表示(&amp;I)</translation>
    </message>
    <message>
        <source>Indicators</source>
        <translation>状態表示</translation>
    </message>
    <message>
        <source>&amp;Quick Menu</source>
        <translation>演算メニュー(&amp;Q)</translation>
    </message>
    <message>
        <source>Quick Menu</source>
        <translation>クイックメニュー</translation>
    </message>
    <message>
        <source>Desc&amp;riptive Quick Menu</source>
        <translation>演算メニュー(&amp;J)</translation>
    </message>
    <message>
        <source>Mo&amp;de Menu</source>
        <translation>モードメニュー(&amp;M)</translation>
    </message>
    <message>
        <source>Mode Menu</source>
        <translation>モードメニュー</translation>
    </message>
    <message>
        <source>&amp;Tool Bar</source>
        <translation>ツールバー(&amp;T)</translation>
    </message>
    <message>
        <source>Tool Bar</source>
        <translation>ツールバー</translation>
    </message>
    <message>
        <source>&amp;Menu Bar</source>
        <translation>メニューバー(&amp;M)</translation>
    </message>
    <message>
        <source>Menu Bar</source>
        <translation>メニューバー</translation>
    </message>
    <message>
        <source>&amp;Font...</source>
        <translation>フォント(&amp;F)...</translation>
    </message>
    <message>
        <source>Font</source>
        <translation>フォント</translation>
    </message>
    <message>
        <source>Body &amp;Colour...</source>
        <translation>本体の色(&amp;C)...</translation>
    </message>
    <message>
        <source>Body Colour</source>
        <translation>本体の色</translation>
    </message>
    <message>
        <source>&amp;Buttons</source>
        <translation>プッシュボタン(&amp;B)</translation>
    </message>
    <message>
        <source>Buttons</source>
        <translation>プッシュボタン</translation>
    </message>
    <message>
        <source>Stay on To&amp;p</source>
        <translation>常に手前に表示(&amp;P)</translation>
    </message>
    <message>
        <source>Stay on Top</source>
        <translation>手前に表示</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>元に戻す(&amp;U)</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>やり直し(&amp;R)</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>やり直し</translation>
    </message>
    <message>
        <source>Memory &amp;Store</source>
        <translation>メモリに保存(&amp;S)</translation>
    </message>
    <message>
        <source>Store in Memory</source>
        <translation>メモリに保存</translation>
    </message>
    <message>
        <source>Memory &amp;Add</source>
        <translation>メモリに加算(&amp;A)</translation>
    </message>
    <message>
        <source>Add to Memory</source>
        <translation>メモリに加算</translation>
    </message>
    <message>
        <source>Memory S&amp;ubtract</source>
        <translation>メモリから減算(&amp;U)</translation>
    </message>
    <message>
        <source>Subtract from Memory</source>
        <translation>メモリから減算</translation>
    </message>
    <message>
        <source>Memory &amp;Recall</source>
        <translation>メモリ呼び出し(&amp;R)</translation>
    </message>
    <message>
        <source>Recall Memory</source>
        <translation>メモリ呼び出し</translation>
    </message>
    <message>
        <source>Memory &amp;Clear</source>
        <translation>メモリクリア(&amp;C)</translation>
    </message>
    <message>
        <source>Clear Memory</source>
        <translation>メモリクリア</translation>
    </message>
    <message>
        <source>Copy as C &amp;Literal</source>
        <translation>C言語のリテラルとしてコピー(&amp;L)</translation>
    </message>
    <message>
        <source>Copy as C Literal</source>
        <translation>C言語のリテラルとしてコピー</translation>
    </message>
    <message>
        <source>Enter &amp;Expression</source>
        <translation>式を入力(&amp;E)</translation>
    </message>
    <message>
        <source>Type an expression in the expression line</source>
        <translation>式入力欄に式を入力します</translation>
    </message>
    <message>
        <source>E&amp;xpression Line</source>
        <translation>式入力欄(&amp;X)</translation>
    </message>
    <message>
        <source>Expression Line</source>
        <translation>式入力欄</translation>
    </message>
    <message>
        <source>&amp;History</source>
        <translation>履歴(&amp;H)</translation>
    </message>
    <message>
        <source>History</source>
        <translation>履歴</translation>
    </message>
    <message>
        <source>Go to History</source>
        <translation>履歴へ移動</translation>
    </message>
    <message>
        <source>Moves the keyboard to the history</source>
        <translation>キーボード入力を履歴に移します</translation>
    </message>
    <message>
        <source>Copy &amp;History</source>
        <translation>履歴をコピー(&amp;H)</translation>
    </message>
    <message>
        <source>Copy History</source>
        <translation>履歴をコピー</translation>
    </message>
    <message>
        <source>Clear H&amp;istory</source>
        <translation>履歴を消去(&amp;I)</translation>
    </message>
    <message>
        <source>Clear History</source>
        <translation>履歴を消去</translation>
    </message>
    <message>
        <source>[h]:m:s|No separators beyond 3 groups</source>
        <translation>[h]:m:s形式|3ブロック以上は区切りなしにする</translation>
    </message>
    <message>
        <source>UTF-8|Shows the value&apos;s bytes as UTF-8</source>
        <translation>UTF-8|値のバイト列をUTF-8として表示します</translation>
    </message>
    <message>
        <source>UTF-16|Shows the value as UTF-16 code units</source>
        <translation>UTF-16|値を16ビット単位のUTF-16として表示します</translation>
    </message>
    <message>
        <source>Code point|Shows the value as a Unicode code point</source>
        <translation>コードポイント|値をUnicodeの符号位置として文字で表示します</translation>
    </message>
    <message>
        <source>binary16|Shows a Word value as IEEE 754 half precision</source>
        <translation>binary16|Wordモードの値をIEEE 754の半精度として表示します</translation>
    </message>
    <message>
        <source>bfloat16|Shows a Word value as bfloat16</source>
        <translation>bfloat16|Wordモードの値をbfloat16として表示します</translation>
    </message>
    <message>
        <source>E4M3|Shows a Byte value as the 8-bit float E4M3</source>
        <translation>E4M3|Byteモードの値を8ビット浮動小数点E4M3として表示します</translation>
    </message>
    <message>
        <source>E5M2|Shows a Byte value as the 8-bit float E5M2</source>
        <translation>E5M2|Byteモードの値を8ビット浮動小数点E5M2として表示します</translation>
    </message>
    <message>
        <source>time_t|C time_t</source>
        <translation>time_t|Cのtime_t型</translation>
    </message>
    <message>
        <source>OLE DATE|OLE DATE type</source>
        <translation>OLE DATE|OLEのDATE型</translation>
    </message>
    <message>
        <source>Time difference|Shows a time difference instead of a date</source>
        <translation>時間差モード|日付けのかわりに時刻の差分を表示します</translation>
    </message>
</context>
<context>
    <name>OpMenu</name>
    <message>
        <source>Bitwise An&amp;d</source>
        <translation>論理積(An&amp;d)</translation>
    </message>
    <message>
        <source>Bitwise &amp;Or</source>
        <translation>論理和(&amp;Or)</translation>
    </message>
    <message>
        <source>Bitwise &amp;Xor</source>
        <translation>排他的論理和(&amp;Xor)</translation>
    </message>
    <message>
        <source>Bitwise &amp;Not</source>
        <translation>ビット反転(&amp;Not)</translation>
    </message>
    <message>
        <source>Shift &amp;Left</source>
        <translation>左シフト(&amp;L)</translation>
    </message>
    <message>
        <source>Shift Rig&amp;ht</source>
        <translation>右シフト(&amp;H)</translation>
    </message>
    <message>
        <source>Arithmetic Shift</source>
        <translation>算術シフト</translation>
    </message>
    <message>
        <source>Rotate</source>
        <translation>ローテート</translation>
    </message>
    <message>
        <source>Shift Left by n Bits (&amp;&lt;&lt;n)</source>
        <translation>左にnビットシフト(&amp;&lt;)</translation>
    </message>
    <message>
        <source>Shift Right by n Bits (&amp;&gt;&gt;n)</source>
        <translation>右にnビットシフト(&amp;&gt;)</translation>
    </message>
    <message>
        <source>Shift Amount</source>
        <translation>シフト量</translation>
    </message>
    <message>
        <source>Reverse B&amp;ytes</source>
        <translation>バイトオーダー反転(&amp;Y)</translation>
    </message>
    <message>
        <source>Re&amp;verse Bits</source>
        <translation>ビット順反転(&amp;V)</translation>
    </message>
    <message>
        <source>S&amp;quare Root</source>
        <translation>平方根(&amp;Q)</translation>
    </message>
    <message>
        <source>Sq&amp;uare</source>
        <translation>自乗(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Power</source>
        <translation>累乗(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Root</source>
        <translation>累乗根(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Fractional Part</source>
        <translation>小数(&amp;F)</translation>
    </message>
    <message>
        <source>Reciprocal (1&amp;/x)</source>
        <translation>逆数(&amp;/)</translation>
    </message>
    <message>
        <source>Factorial (n&amp;!)</source>
        <translation>階乗(&amp;!)</translation>
    </message>
    <message>
        <source>&amp;Exponential</source>
        <translation>指数(&amp;E)</translation>
    </message>
    <message>
        <source>Exponential functions</source>
        <translation>指数関数</translation>
    </message>
    <message>
        <source>Lo&amp;garithm</source>
        <translation>対数(&amp;G)</translation>
    </message>
    <message>
        <source>Logarithms</source>
        <translation>対数関数</translation>
    </message>
    <message>
        <source>Natural Log (&amp;Ln)</source>
        <translation>自然対数(&amp;Ln)</translation>
    </message>
    <message>
        <source>Log Base &amp;2</source>
        <translation>底&amp;2の対数</translation>
    </message>
    <message>
        <source>Common Log (Lo&amp;g)</source>
        <translation>常用対数(Lo&amp;g)</translation>
    </message>
    <message>
        <source>Log Base &amp;N</source>
        <translation>任意の底の対数(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Integer Part</source>
        <translation>整数化(&amp;I)</translation>
    </message>
    <message>
        <source>Rounding to an integer</source>
        <translation>整数化</translation>
    </message>
    <message>
        <source>&amp;Floor</source>
        <translation>切り捨て(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Ceiling</source>
        <translation>切り上げ(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Round</source>
        <translation>四捨五入(&amp;R)</translation>
    </message>
    <message>
        <source>Sine (&amp;sin)</source>
        <translation>正弦(&amp;sin)</translation>
    </message>
    <message>
        <source>Cosine (&amp;cos)</source>
        <translation>余弦(&amp;cos)</translation>
    </message>
    <message>
        <source>Tangent (&amp;tan)</source>
        <translation>正接(&amp;tan)</translation>
    </message>
    <message>
        <source>Arcsine (arcsin)</source>
        <translation>逆正弦(arcsin)</translation>
    </message>
    <message>
        <source>Arccosine (arccos)</source>
        <translation>逆余弦(arccos)</translation>
    </message>
    <message>
        <source>Arctangent (arctan)</source>
        <translation>逆正接(arctan)</translation>
    </message>
    <message>
        <source>Hyperbolic (Hyp)</source>
        <translation>双曲線関数(Hyp)</translation>
    </message>
    <message>
        <source>&amp;Angle Unit</source>
        <translation>角度単位(&amp;A)</translation>
    </message>
    <message>
        <source>Angle unit</source>
        <translation>角度単位</translation>
    </message>
    <message>
        <source>Degrees (&amp;Deg)</source>
        <translation>度(&amp;Deg)</translation>
    </message>
    <message>
        <source>Radians (&amp;Rad)</source>
        <translation>ラジアン(&amp;Rad)</translation>
    </message>
    <message>
        <source>Gradians (&amp;Grad)</source>
        <translation>グラジアン(&amp;Grad)</translation>
    </message>
    <message>
        <source>Pi</source>
        <translation>円周率(Pi)</translation>
    </message>
</context>
<context>
    <name>QuickMenu</name>
    <message>
        <source>&amp;Floor </source>
        <translation>&amp;Trunc </translation>
    </message>
</context>
<context>
    <name>ButtonPanel</name>
    <message>
        <source>Swap</source>
        <translation>Rev</translation>
    </message>
</context>
<context>
    <name>pexa::CalcBar</name>
    <message>
        <source>Swap</source>
        <translation>Rev</translation>
    </message>
</context>
<context>
    <name>pexa::BinaryBar</name>
    <message>
        <source>Bit %1</source>
        <translation>ビット %1</translation>
    </message>
</context>
<context>
    <name>pexa::FloatBar</name>
    <message>
        <source>Sign: %1 (%2)</source>
        <translation>符号: %1 (%2)</translation>
    </message>
    <message>
        <source>Exponent: %1 (biased %2)</source>
        <translation>指数部: %1 (バイアス付き %2)</translation>
    </message>
    <message>
        <source>, unbiased %1</source>
        <translation>、バイアスなし %1</translation>
    </message>
    <message>
        <source>Significand: %1%2</source>
        <translation>仮数: %1%2</translation>
    </message>
    <message>
        <source>Fraction: %1</source>
        <translation>仮数部: %1</translation>
    </message>
</context>
<context>
    <name>pexa::AboutDialog</name>
    <message>
        <source>About pexa</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Manual:</source>
        <translation>サポートページ:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>pexa::MainWindow</name>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Memory</source>
        <translation>メモリ(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Bar</source>
        <translation>バー(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Language</source>
        <translation>言語(&amp;L)</translation>
    </message>
    <message>
        <source>&amp;Automatic</source>
        <translation>自動(&amp;A)</translation>
    </message>
    <message>
        <source>Cannot write to %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
    <message>
        <source>Reason: %1</source>
        <translation>理由: %1</translation>
    </message>
    <message>
        <source>Default Body Colo&amp;ur</source>
        <translation>本体の色を既定に戻す(&amp;U)</translation>
    </message>
    <message>
        <source>Not available here: under Wayland the desktop alone decides which window stays on top</source>
        <translation>ここでは使えません: Wayland では、どのウィンドウを手前に表示し続けるかはデスクトップだけが決めます</translation>
    </message>
</context>
<context>
    <name>pexa::HelpWindow</name>
    <message>
        <source>&quot;%1&quot; not found.</source>
        <translation>「%1」は見つかりません。</translation>
    </message>
    <message>
        <source>pexa Help</source>
        <translation>pexa ヘルプ</translation>
    </message>
    <message>
        <source>&amp;Search:</source>
        <translation>検索(&amp;S):</translation>
    </message>
    <message>
        <source>Help file %1 not found.</source>
        <translation>ヘルプ ファイル %1 が見つかりません。</translation>
    </message>
    <message>
        <source>Help file %1 is too large.</source>
        <translation>ヘルプ ファイル %1 が大きすぎます。</translation>
    </message>
    <message>
        <source>Help file %1 is nested too deeply to show.</source>
        <translation>ヘルプ ファイル %1 は入れ子が深すぎて表示できません。</translation>
    </message>
    <message>
        <source>Help file %1 has too many elements to show.</source>
        <translation>ヘルプ ファイル %1 は要素が多すぎて表示できません。</translation>
    </message>
    <message>
        <source>The link %1 was not opened: help opens its own topics and web and mail links only.</source>
        <translation>リンク %1 は開きませんでした。ヘルプが開くのは、ヘルプ内のトピックと Web・メールのリンクだけです。</translation>
    </message>
    <message>
        <source>No program opened the link %1.</source>
        <translation>リンク %1 を開くプログラムがありません。</translation>
    </message>
    <message>
        <source>Cannot read help file %1.</source>
        <translation>ヘルプ ファイル %1 を読めません。</translation>
    </message>
    <message>
        <source>No help topic %1; showing the contents.</source>
        <translation>ヘルプ トピック %1 はありません。目次を表示します。</translation>
    </message>
</context>
<context>
    <name>ExpressionMessage</name>
    <message>
        <source>Not a binary digit: %1</source>
        <translation>2進数の数字ではありません: %1</translation>
    </message>
    <message>
        <source>Not an octal digit: %1</source>
        <translation>8進数の数字ではありません: %1</translation>
    </message>
    <message>
        <source>Not a hexadecimal digit: %1</source>
        <translation>16進数の数字ではありません: %1</translation>
    </message>
    <message>
        <source>Not a decimal digit: %1</source>
        <translation>10進数の数字ではありません: %1</translation>
    </message>
    <message>
        <source>Missing binary digits</source>
        <translation>2進数の数字がありません</translation>
    </message>
    <message>
        <source>Missing octal digits</source>
        <translation>8進数の数字がありません</translation>
    </message>
    <message>
        <source>Missing hexadecimal digits</source>
        <translation>16進数の数字がありません</translation>
    </message>
    <message>
        <source>Missing decimal digits</source>
        <translation>10進数の数字がありません</translation>
    </message>
    <message>
        <source>Empty expression</source>
        <translation>式が空です</translation>
    </message>
    <message>
        <source>Unexpected character: %1</source>
        <translation>使えない文字です: %1</translation>
    </message>
    <message>
        <source>Expected an operator: %1</source>
        <translation>演算子が必要です: %1</translation>
    </message>
    <message>
        <source>Missing value</source>
        <translation>値がありません</translation>
    </message>
    <message>
        <source>Expected a value: %1</source>
        <translation>値が必要です: %1</translation>
    </message>
    <message>
        <source>Missing &apos;)&apos;</source>
        <translation>&apos;)&apos; がありません</translation>
    </message>
    <message>
        <source>Missing &apos;(&apos; after %1</source>
        <translation>%1 の後に &apos;(&apos; がありません</translation>
    </message>
    <message>
        <source>Misplaced digit separator</source>
        <translation>桁区切りの位置が正しくありません</translation>
    </message>
    <message>
        <source>Number too large for the mode</source>
        <translation>数がモードの範囲を超えています</translation>
    </message>
    <message>
        <source>Fractions and exponents need Real mode</source>
        <translation>小数と指数は実数モードでのみ使えます</translation>
    </message>
    <message>
        <source>Missing exponent digits</source>
        <translation>指数の数字がありません</translation>
    </message>
    <message>
        <source>Missing closing quote of a character</source>
        <translation>文字の閉じ引用符がありません</translation>
    </message>
    <message>
        <source>Empty character</source>
        <translation>文字が空です</translation>
    </message>
    <message>
        <source>More than one character in quotes</source>
        <translation>引用符の中に文字が2つ以上あります</translation>
    </message>
    <message>
        <source>Unknown escape: \%1</source>
        <translation>不明なエスケープです: \%1</translation>
    </message>
    <message>
        <source>Not in the character encoding: %1</source>
        <translation>文字コードにない文字です: %1</translation>
    </message>
    <message>
        <source>Unknown name: %1</source>
        <translation>不明な名前です: %1</translation>
    </message>
    <message>
        <source>Unknown function: %1</source>
        <translation>不明な関数です: %1</translation>
    </message>
    <message>
        <source>%1 takes 1 argument</source>
        <translation>%1 の引数は1つです</translation>
    </message>
    <message>
        <source>%1 takes %2 arguments</source>
        <translation>%1 の引数は%2つです</translation>
    </message>
    <message>
        <source>Nested too deeply</source>
        <translation>入れ子が深すぎます</translation>
    </message>
    <message>
        <source>Not an expression</source>
        <translation>式ではありません</translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation>%1 (%2文字目)</translation>
    </message>
</context>
<context>
    <name>AccessibleControls</name>
    <message>
        <source>%1 mode</source>
        <translation>%1 モード</translation>
    </message>
    <message>
        <source>Character encoding: %1</source>
        <translation>文字コード: %1</translation>
    </message>
    <message>
        <source>16-bit float format: %1</source>
        <translation>16ビット浮動小数点形式: %1</translation>
    </message>
    <message>
        <source>8-bit float format: %1</source>
        <translation>8ビット浮動小数点形式: %1</translation>
    </message>
    <message>
        <source>Date encoding: %1</source>
        <translation>日時の形式: %1</translation>
    </message>
    <message>
        <source>Hours without limit ([h]:m:s)</source>
        <translation>時間を制限なく表示 ([h]:m:s)</translation>
    </message>
    <message>
        <source>%1 bar</source>
        <translation>%1バー</translation>
    </message>
    <message>
        <source>More tool-bar buttons</source>
        <translation>ツールバーのその他のボタン</translation>
    </message>
</context>
</TS>
