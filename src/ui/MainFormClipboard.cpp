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

// Toggles the sign of the entry a paste has typed so far, as the "-" key does.
bool ApplyPastedSign(TCalcBar& bar) {
    if (!bar.CanInputChar('-', false, true))
        return false;
    return bar.Conv().InputChar('-');
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

// Every character goes through the same acceptance test as a typed one. The
// bar is redrawn and the other bars follow once, after the last character,
// which keeps a long clipboard text (a stray file, megabytes of zeros) fast.
bool TForm_Main::PasteText(const QString& text) {
    TCalcBar* bar = ActiveBar();
    qsizetype start = 0;
    bool negative = false;
    if (text.size() > 1 && text.front() == QLatin1Char('-') && bar != nullptr &&
        bar->SupportsSigned()) {
        start = 1;
        negative = true;
    }
    bool typed = false;
    bool refused = false;
    bool stopped = false;
    for (qsizetype i = start; i < text.size() && !refused && !stopped; ++i) {
        char32_t ch = text.at(i).unicode();
        if (QChar::isHighSurrogate(ch) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ch = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        const std::optional<std::string> bytes = PasteBytesOf(ch, bar);
        if (!bytes) {
            refused = true;
            break;
        }
        for (const char byte : *bytes) {
            if (IsPasteIgnored(byte))
                continue;
            if (!CanTypeChar(byte, !typed, true)) {
                refused = true;
                break;
            }
            if (bar == nullptr || !TypeCharInto(*bar, byte, !typed, true, true)) {
                // The digits of a negative number may only fit the signed
                // range once the sign is on ("-128" in a signed Byte bar):
                // put the sign on now and offer the digit again.
                if (!(negative && typed && ApplyPastedSign(*bar))) {
                    stopped = true;
                    break;
                }
                negative = false;
                if (!TypeCharInto(*bar, byte, false, true, true)) {
                    stopped = true;
                    break;
                }
            }
            typed = true;
        }
    }
    if (refused)
        QApplication::beep();
    if (typed) {
        bar->RefreshValue();
        SyncFromBar(bar);
        if (negative)
            TypeChar('-', false, true);
        state_ = EntryState::Computed;
    }
    return !refused;
}

void TForm_Main::BindClipboardActions() {
    TAction* copy = FindAction("ActEditCopy");
    copy->SetOnExecute([this](TAction& a) { CopyToClipboard(a.Tag() != 0); });
    copy->SetOnUpdate([this](TAction& a) { a.SetEnabled(ActiveBar() != nullptr); });
    TAction* copyFmt = FindAction("ActEditCopyFmt");
    copyFmt->SetOnExecute([this](TAction& a) { CopyToClipboard(a.Tag() != 0); });
    copyFmt->SetOnUpdate([this](TAction& a) {
        const TCalcBar* bar = ActiveBar();
        a.SetEnabled(bar != nullptr && bar->SupportsSeparated());
    });
    TAction* paste = FindAction("ActEditPaste");
    paste->SetOnExecute([this](TAction&) { PasteFromClipboard(); });
    paste->SetOnUpdate([this](TAction& a) {
        const TCalcBar* bar = ActiveBar();
        a.SetEnabled(bar != nullptr && !bar->RefusesPaste() && clipboardHasText_);
    });
}

} // namespace pexa
