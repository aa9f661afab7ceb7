#include "ui/keys/Shortcut.h"

#include <QChar>
#include <QKeyEvent>
#include <QKeySequence>

#include <string_view>

namespace pexa {

namespace {

constexpr Qt::KeyboardModifiers kCountedModifiers = Qt::ShiftModifier | Qt::ControlModifier |
                                                    Qt::AltModifier | Qt::MetaModifier |
                                                    Qt::KeypadModifier;

// Qt's key codes below this value are the Unicode (upper-case) characters
// the key types; everything above is a function, navigation or modifier key.
constexpr int kFirstSpecialKey = 0x01000000;

bool IsModifierKey(int key) {
    switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock:
    case Qt::Key_ScrollLock:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_Hyper_L:
    case Qt::Key_Hyper_R:
    case Qt::Key_Mode_switch:
        return true;
    default:
        return false;
    }
}

bool IsCharacterKey(int key) {
    return key > 0 && key < kFirstSpecialKey;
}

bool IsLetterKey(int key) {
    return IsCharacterKey(key) && key <= 0xFFFF && QChar(static_cast<char16_t>(key)).isLetter();
}

bool IsNonLatinLetter(int key) {
    return IsLetterKey(key) && QChar(static_cast<char16_t>(key)).script() != QChar::Script_Latin;
}

// The letter on the key of a US keyboard, by the key's native code. X servers
// and Wayland compositors on Linux number the keys as the kernel does, plus 8;
// other platforms give 0 here, and so does every key that is not a letter.
int UsLetterOfKeyCode(quint32 code) {
    struct Row {
        quint32 First;
        const char* Letters;
    };
    static constexpr Row rows[] = {{24, "QWERTYUIOP"}, {38, "ASDFGHJKL"}, {52, "ZXCVBNM"}};
    for (const Row& row : rows) {
        const std::string_view letters(row.Letters);
        if (code >= row.First && code < row.First + letters.size())
            return letters[code - row.First];
    }
    return 0;
}

} // namespace

bool IsNoShortcut(QKeyCombination key) {
    const int code = static_cast<int>(key.key());
    return code == 0 || code == Qt::Key_unknown || IsModifierKey(code);
}

QKeyCombination NormalizeKey(QKeyCombination key) {
    if (IsNoShortcut(key))
        return kNoShortcut;
    int code = static_cast<int>(key.key());
    Qt::KeyboardModifiers mods = key.keyboardModifiers() & kCountedModifiers;
    if (code == Qt::Key_Enter)
        code = Qt::Key_Return;
    if (code == Qt::Key_Backtab) {
        code = Qt::Key_Tab;
        mods |= Qt::ShiftModifier;
    }
    if (!IsCharacterKey(code))
        mods &= ~Qt::KeypadModifier;
    else if (!IsLetterKey(code) && code != Qt::Key_Space)
        mods &= ~Qt::ShiftModifier;
    return QKeyCombination(mods, static_cast<Qt::Key>(code));
}

KeyRecord RecordOfKey(const QKeyEvent& event) {
    KeyRecord record;
    record.Key = event.key();
    if (IsNonLatinLetter(record.Key)) {
        if (const int latin = UsLetterOfKeyCode(event.nativeScanCode()); latin != 0)
            record.Key = latin;
    }
    record.Modifiers = event.modifiers();
    record.Shortcut =
        NormalizeKey(QKeyCombination(record.Modifiers, static_cast<Qt::Key>(record.Key)));
    record.CtrlTab = (record.Key == Qt::Key_Tab || record.Key == Qt::Key_Backtab) &&
                     record.Modifiers.testFlag(Qt::ControlModifier) &&
                     !record.Modifiers.testFlag(Qt::AltModifier);
    return record;
}

QString ShortcutText(QKeyCombination key) {
    if (IsNoShortcut(key))
        return QString();
    return QKeySequence(key).toString(QKeySequence::NativeText);
}

} // namespace pexa
