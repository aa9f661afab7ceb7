// Copying the active bar's text and pasting text into it through the engine.

#include "ui/MainForm.h"

#include "conv/CalcConv.h"
#include "ui/CalcBar.h"
#include "ui/SjisText.h"
#include "ui/toolkit/Action.h"

#include <QApplication>
#include <QClipboard>

#include <optional>
#include <string>
#include <vector>

namespace pexa {

namespace {

// The bytes a pasted character is offered as, one at a time. The character
// bar reads Shift JIS bytes; the other notations are ASCII, so anything else
// is a character they refuse.
std::optional<std::string> PasteBytesOf(char32_t ch, const TCalcBar* bar) {
    if (ch < 0x80)
        return std::string(1, static_cast<char>(ch));
    if (bar != nullptr && bar->Kind() == BarKind::Char)
        return UnicodeToSjis(ch);
    return std::nullopt;
}

} // namespace

void TForm_Main::CopyToClipboard(bool grouped) {
    const TCalcBar* bar = ActiveBar();
    if (bar == nullptr)
        return;
    QGuiApplication::clipboard()->setText(SjisToUnicode(bar->Conv().GetClipboardText(grouped)),
                                          QClipboard::Clipboard);
}

void TForm_Main::PasteFromClipboard() {
    PasteText(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
}

// Each character is offered as the bytes the active bar reads; the
// calculator types them as it types keys.
bool TForm_Main::PasteText(const QString& text) {
    const TCalcBar* bar = ActiveBar();
    std::vector<std::optional<std::string>> characters;
    characters.reserve(static_cast<size_t>(text.size()));
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t ch = text.at(i).unicode();
        if (QChar::isHighSurrogate(ch) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ch = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        characters.push_back(PasteBytesOf(ch, bar));
    }
    const bool accepted = calculator_.Paste(characters);
    if (!accepted)
        QApplication::beep();
    return accepted;
}

void TForm_Main::BindClipboardActions() {
    TAction* copy = Action(Command::EditCopy);
    copy->SetOnExecute([this](TAction&) { CopyToClipboard(false); });
    OnState(Command::EditCopy, BarsSource,
            [this](TAction& a) { a.SetEnabled(ActiveBar() != nullptr); });
    TAction* copyFmt = Action(Command::EditCopyFmt);
    copyFmt->SetOnExecute([this](TAction&) { CopyToClipboard(true); });
    OnState(Command::EditCopyFmt, BarsSource, [this](TAction& a) {
        const TCalcBar* bar = ActiveBar();
        a.SetEnabled(bar != nullptr && bar->SupportsSeparated());
    });
    TAction* paste = Action(Command::EditPaste);
    paste->SetOnExecute([this](TAction&) { PasteFromClipboard(); });
    OnState(Command::EditPaste, BarsSource | ClipboardSource, [this](TAction& a) {
        const TCalcBar* bar = ActiveBar();
        a.SetEnabled(bar != nullptr && !bar->RefusesPaste() && clipboardHasText_);
    });
}

} // namespace pexa
