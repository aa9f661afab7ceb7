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
        <source>Shift Left by n Bits (&amp;&lt;)</source>
        <translation>左にnビットシフト(&amp;&lt;)</translation>
    </message>
    <message>
        <source>Shift Right by n Bits (&amp;&gt;)</source>
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
        <source>Reciprocal (&amp;/)</source>
        <translation>逆数(&amp;/)</translation>
    </message>
    <message>
        <source>Factorial (&amp;!)</source>
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
        <source>&amp;Truncate</source>
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
    <name>pexa::TCalcBar_Bin</name>
    <message>
        <source>Bit %1</source>
        <translation>ビット %1</translation>
    </message>
</context>
<context>
    <name>pexa::TCalcBar_Float</name>
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
    <name>pexa::TForm_About</name>
    <message>
        <source>About pexa</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>Support page:</source>
        <translation>サポートページ:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>閉じる</translation>
    </message>
</context>
<context>
    <name>pexa::TForm_Main</name>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
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
</context>
<context>
    <name>pexa::THelpViewer</name>
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
        <source>Cannot read help file %1.</source>
        <translation>ヘルプ ファイル %1 を読めません。</translation>
    </message>
    <message>
        <source>No help topic %1; showing the contents.</source>
        <translation>ヘルプ トピック %1 はありません。目次を表示します。</translation>
    </message>
</context>
</TS>
