// Copying the active bar's text and pasting text into it through the engine.

#include "ui/window/MainWindow.h"

#include "conv/CharacterConversion.h"
#include "conv/Conversion.h"
#include "enc/EncUnicode.h"
#include "engine/CLiteral.h"
#include "ui/bars/BarStack.h"
#include "ui/bars/CalcBar.h"
#include "ui/text/RefusalText.h"
#include "ui/text/SjisText.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <cstdint>

#include <optional>
#include <string>
#include <vector>

namespace pexa {

namespace {

// The bytes a pasted character is offered as, one at a time. The character
// bar reads display code page (Shift JIS) bytes, which its encoding may put
// in as another code; the other notations are ASCII, so anything else is a
// character they refuse.
std::optional<std::string> PasteBytesOf(char32_t ch, const CalcBar* bar) {
    const auto* chars =
        bar != nullptr ? dynamic_cast<const CharacterConversion*>(&bar->Conv()) : nullptr;
    if (ch < 0x80 && chars == nullptr)
        return std::string(1, static_cast<char>(ch));
    if (chars == nullptr)
        return std::nullopt;
    const std::optional<std::string> sjis =
        ch < 0x80 ? std::string(1, static_cast<char>(ch)) : UnicodeToSjis(ch);
    if (!sjis)
        return std::nullopt;
    return chars->BytesOfDisplayChar(*sjis);
}

// The characters of a text, surrogate pairs joined; a lone surrogate stays
// a code unit of its own, which no bar takes.
std::u32string CharactersOf(const QString& text) {
    std::u32string characters;
    characters.reserve(static_cast<size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t ch = text.at(i).unicode();
        if (QChar::isHighSurrogate(ch) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ch = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        characters.push_back(ch);
    }
    return characters;
}

// The clipboard's text as its bytes say, where it offers them: a text that
// is no UTF-8 is refused, not read with replacement characters. Other
// programs offer it under either name.
std::optional<QByteArray> Utf8BytesOf(const QMimeData* mime) {
    if (mime == nullptr)
        return std::nullopt;
    for (const char* format : {"text/plain;charset=utf-8", "text/plain"}) {
        if (mime->hasFormat(QLatin1String(format)))
            return mime->data(QLatin1String(format));
    }
    return std::nullopt;
}

// The characters of UTF-8 bytes, a byte order mark included (it is the
// calculator's to judge); none, with the first byte that is no part of a
// well-formed sequence, for anything else.
std::optional<std::u32string> DecodeStrictly(const QByteArray& bytes, std::size_t& badByte) {
    std::u32string characters;
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    const auto size = static_cast<std::size_t>(bytes.size());
    for (std::size_t i = 0; i < size;) {
        const DecodedChar decoded = DecodeUtf8(data + i, size - i);
        if (!decoded.Valid) {
            badByte = i;
            return std::nullopt;
        }
        characters.push_back(decoded.CodePoint);
        i += decoded.Length;
    }
    return characters;
}

QString FromCharacters(const std::u32string& characters, std::size_t begin, std::size_t end) {
    end = std::min(end, characters.size());
    begin = std::min(begin, end);
    return QString::fromUcs4(characters.data() + begin, static_cast<qsizetype>(end - begin));
}

} // namespace

void MainWindow::CopyToClipboard(bool grouped) {
    const CalcBar* bar = bars_->Active();
    if (bar == nullptr)
        return;
    const Conversion& conv = bar->Conv();
    QGuiApplication::clipboard()->setText(
        ConvTextToUnicode(conv.GetClipboardText(grouped), conv.GetTextCharset()),
        QClipboard::Clipboard);
}

// The value itself, not the active bar's text: the literal reads the same
// whichever bar is active.
void MainWindow::CopyCLiteralToClipboard() {
    const std::string literal =
        FormatCLiteral(calculator_.Current(), calculator_.Mode(), calculator_.Signed());
    QGuiApplication::clipboard()->setText(QString::fromStdString(literal), QClipboard::Clipboard);
}

void MainWindow::PasteFromClipboard() {
    const QClipboard& clipboard = *QGuiApplication::clipboard();
    const std::optional<QByteArray> offered =
        Utf8BytesOf(clipboard.mimeData(QClipboard::Clipboard));
    if (!offered) {
        PasteText(clipboard.text(QClipboard::Clipboard));
        return;
    }
    std::size_t badByte = 0;
    const std::optional<std::u32string> characters = DecodeStrictly(*offered, badByte);
    if (characters) {
        PasteCharacters(*characters);
        return;
    }
    Refusal refusal;
    refusal.Kind = RefusalKind::InvalidUtf8;
    refusal.Offending = badByte;
    const auto byte = static_cast<unsigned char>(offered->at(static_cast<qsizetype>(badByte)));
    ShowRefusal(refusal, QStringLiteral("%1").arg(byte, 2, 16, QChar(u'0')).toUpper());
}

bool MainWindow::PasteText(const QString& text) {
    return PasteCharacters(CharactersOf(text));
}

// Each character is offered whole to a bar that takes whole characters,
// else as the bytes the active bar reads; the calculator takes them all or
// none, and the bar says why when it refused them.
bool MainWindow::PasteCharacters(const std::u32string& characters) {
    const CalcBar* bar = bars_->Active();
    PasteResult result;
    if (calculator_.TakesWholeCharacters()) {
        result = calculator_.PasteCharacters(characters);
    } else {
        std::vector<PastedCharacter> offered;
        offered.reserve(characters.size());
        for (const char32_t ch : characters)
            offered.push_back({ch, PasteBytesOf(ch, bar)});
        result = calculator_.PasteText(offered);
    }
    if (const std::optional<Refusal>& refusal = result.Refused()) {
        const std::size_t begin = refusal->Kind == RefusalKind::NotOfNotation &&
                                          refusal->Bar == BarKind::Char && refusal->Offending
                                      ? *refusal->Offending
                                      : refusal->TextBegin;
        const std::size_t end = begin == refusal->TextBegin ? refusal->TextEnd : begin + 1;
        ShowRefusal(*refusal, FromCharacters(characters, begin, end));
    }
    return result.Accepted();
}

void MainWindow::OperationRefused(const Refusal& refusal) {
    ShowRefusal(refusal, QString());
}

void MainWindow::ShowRefusal(const Refusal& refusal, const QString& about) {
    QApplication::beep();
    if (const CalcBar* bar = bars_->Active())
        bars_->ShowRefusal(bar->Kind(), RefusalText(refusal, about));
}

void MainWindow::BindClipboardStates() {
    OnState(Command::EditCopy, BarsSource,
            [this](QAction& a) { a.setEnabled(bars_->Active() != nullptr); });
    OnState(Command::EditCopyGrouped, BarsSource, [this](QAction& a) {
        const CalcBar* bar = bars_->Active();
        a.setEnabled(bar != nullptr && bar->Offers(ConvOption::DigitGrouping));
    });
    OnState(Command::EditPaste, BarsSource | ClipboardSource, [this](QAction& a) {
        const CalcBar* bar = bars_->Active();
        a.setEnabled(bar != nullptr && !bar->Offers(ConvOption::NoPaste) && clipboardHasText_);
    });
}

} // namespace pexa
