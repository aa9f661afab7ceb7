// Copying the active bar's text and pasting text into it through the engine.

#include "ui/MainWindow.h"

#include "conv/CharacterConversion.h"
#include "conv/Conversion.h"
#include "ui/BarStack.h"
#include "ui/CalcBar.h"
#include "ui/SjisText.h"
#include "ui/toolkit/CommandAction.h"

#include <QApplication>
#include <QClipboard>

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

void MainWindow::PasteFromClipboard() {
    PasteText(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
}

// Each character is offered whole to a bar that takes whole characters,
// else as the bytes the active bar reads; the calculator types them as it
// types keys.
bool MainWindow::PasteText(const QString& text) {
    const CalcBar* bar = bars_->Active();
    const std::u32string characters = CharactersOf(text);
    bool accepted = false;
    if (calculator_.TakesWholeCharacters()) {
        accepted = calculator_.PasteCharacters(characters);
    } else {
        std::vector<std::optional<std::string>> offered;
        offered.reserve(characters.size());
        for (const char32_t ch : characters)
            offered.push_back(PasteBytesOf(ch, bar));
        accepted = calculator_.Paste(offered);
    }
    if (!accepted)
        QApplication::beep();
    return accepted;
}

void MainWindow::BindClipboardActions() {
    CommandAction* copy = Action(Command::EditCopy);
    copy->SetOnExecute([this](CommandAction&) { CopyToClipboard(false); });
    OnState(Command::EditCopy, BarsSource,
            [this](CommandAction& a) { a.setEnabled(bars_->Active() != nullptr); });
    CommandAction* copyFmt = Action(Command::EditCopyFmt);
    copyFmt->SetOnExecute([this](CommandAction&) { CopyToClipboard(true); });
    OnState(Command::EditCopyFmt, BarsSource, [this](CommandAction& a) {
        const CalcBar* bar = bars_->Active();
        a.setEnabled(bar != nullptr && bar->Offers(ConvOption::Separated));
    });
    CommandAction* paste = Action(Command::EditPaste);
    paste->SetOnExecute([this](CommandAction&) { PasteFromClipboard(); });
    OnState(Command::EditPaste, BarsSource | ClipboardSource, [this](CommandAction& a) {
        const CalcBar* bar = bars_->Active();
        a.setEnabled(bar != nullptr && !bar->Offers(ConvOption::NoPaste) && clipboardHasText_);
    });
}

} // namespace pexa
