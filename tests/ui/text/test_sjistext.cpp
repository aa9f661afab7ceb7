#include "ui/text/SjisText.h"

#include <QTest>

#include <string>

using namespace pexa;

class TestSjisText : public QObject {
    Q_OBJECT

private slots:
    void decodes_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("empty") << QByteArray() << QString();
        QTest::newRow("ascii") << QByteArray("0x1F #$&") << QString("0x1F #$&");
        QTest::newRow("backslash and tilde stay ascii") << QByteArray("\\~") << QString("\\~");
        QTest::newRow("kanji pair") << QByteArray("\x88\x9F") << QString::fromUtf8("亜");
        QTest::newRow("half-width katakana") << QByteArray("\xB1\xDF") << QString::fromUtf8("ｱﾟ");
        QTest::newRow("ideographic space") << QByteArray("\x81\x40") << QString::fromUtf8("　");
        QTest::newRow("mixed") << QByteArray("A\x88\x9F"
                                             "B")
                               << QString::fromUtf8("A亜B");
        QTest::newRow("lone lead byte at end") << QByteArray("A\x88") << QString("A_");
        QTest::newRow("lead before invalid trail") << QByteArray("\x88\x20") << QString("_ ");
        QTest::newRow("unassigned pair is one cell") << QByteArray("\x85\x40"
                                                                   "A")
                                                     << QString("_A");
        QTest::newRow("bytes without a character")
            << QByteArray("\x80\xA0\xFD\xFE\xFF") << QString("_____");
        QTest::newRow("embedded nul") << QByteArray("A\0B", 3) << QString::fromUtf16(u"A\0B", 3);
    }
    void decodes() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(SjisToUnicode(std::string_view(bytes.constData(), std::size_t(bytes.size()))),
                 text);
    }

    // Every bidi formatting character shows as "_"; the letters of any
    // script, and the characters around the controls, stay as they are.
    void showsBidiControls_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("override between letters") << QString::fromUtf8("ab\u202Ede") << "ab_de";
        QTest::newRow("marks") << QString::fromUtf8("\u200E\u200F\u061C") << "___";
        QTest::newRow("embeddings and overrides")
            << QString::fromUtf8("\u202A\u202B\u202C\u202D\u202E") << "_____";
        QTest::newRow("isolates") << QString::fromUtf8("\u2066\u2067\u2068\u2069") << "____";
        QTest::newRow("neighbours of the ranges kept")
            << QString::fromUtf8("\u200D\u2010\u2029\u202F\u2065\u206A")
            << QString::fromUtf8("\u200D\u2010\u2029\u202F\u2065\u206A");
        QTest::newRow("Hebrew and Arabic letters kept")
            << QString::fromUtf8("שלום سلام") << QString::fromUtf8("שלום سلام");
    }
    void showsBidiControls() {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(WithBidiControlsShown(text), shown);
    }

    void encodesOneCharacter() {
        QCOMPARE(UnicodeToSjis(U'A'), std::optional<std::string>("A"));
        QCOMPARE(UnicodeToSjis(U'亜'), std::optional<std::string>("\x88\x9F"));
        QCOMPARE(UnicodeToSjis(U'ｱ'), std::optional<std::string>("\xB1"));
        QCOMPARE(UnicodeToSjis(U'\u00E9'), std::optional<std::string>()); // é: not in CP932
        QCOMPARE(UnicodeToSjis(U'\U0001F600'), std::optional<std::string>());
        QCOMPARE(UnicodeToSjis(char32_t{0xD800}), std::optional<std::string>());
        QCOMPARE(UnicodeToSjis(char32_t{0x110000}), std::optional<std::string>());
    }

    // Every double-byte cell either decodes to one character that encodes
    // back to a cell showing the same character, or is shown as one "_".
    void everyPairRoundTrips() {
        int characters = 0;
        for (int lead = 0x81; lead <= 0xFC; ++lead) {
            if (lead > 0x9F && lead < 0xE0) {
                continue;
            }
            for (int trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F) {
                    continue;
                }
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const QString text = SjisToUnicode(std::string_view(pair, 2));
                if (text == QLatin1String("_")) {
                    continue;
                }
                QVERIFY2(text.toUcs4().size() == 1,
                         qPrintable(QString::number(lead * 256 + trail, 16)));
                const std::optional<std::string> back = UnicodeToSjis(text.toUcs4().front());
                QVERIFY(back.has_value());
                QCOMPARE(SjisToUnicode(*back), text);
                ++characters;
            }
        }
        // JIS X 0208 with the NEC and IBM extensions has about 7,900 cells.
        QVERIFY(characters > 7000);
    }
};

QTEST_MAIN(TestSjisText)
#include "test_sjistext.moc"
