#pragma once

#include <QKeyCombination>
#include <QString>

class QKeyEvent;

namespace pexa {

// Kept rather than QShortcut: keys are matched by their place on the
// keyboard (Ctrl+C under a Cyrillic layout), a disabled command lets its key
// go on to the bars' access keys and the typed-character table, and the
// bars' Alt+letter access keys come before the menu bar's mnemonics.
//
// Shortcuts are matched by our own code (not QShortcut) so that a disabled
// command lets its key go on to the next routing step. Both the stored
// shortcut and the pressed key are brought to one normal form first:
//  - only Shift, Ctrl, Alt, Meta and Keypad count as modifiers;
//  - the keypad's Enter is Return, Backtab is Shift+Tab;
//  - keypad keys that type a character (digits, operators, separator) keep
//    the Keypad modifier, so they never match a main-keyboard shortcut and
//    their character takes the typed-character route instead; the keypad's
//    navigation keys (NumLock off) are the same as the main ones;
//  - for a key that types a symbol or a digit, Shift is implied by the
//    character itself and is dropped: ':' is the same key whether the layout
//    needs Shift for it or not. Letters keep Shift (A and Shift+A differ).

// The "no shortcut" value.
inline constexpr QKeyCombination kNoShortcut = QKeyCombination::fromCombined(0);

// True for kNoShortcut and for key codes that can never be pressed.
bool IsNoShortcut(QKeyCombination key);

// The normal form of a shortcut or pressed key (kNoShortcut for a
// modifier-only key, an unknown key or no key).
QKeyCombination NormalizeKey(QKeyCombination key);

// A key-down as every routing step sees it, read from the event once. Keys
// are matched by their place, not by the alphabet of the layout: a letter of
// a non-Latin alphabet (Cyrillic, Greek, ...) stands for the Latin letter on
// the same key of a US keyboard, so Ctrl+C and Alt+H work under a Russian
// layout. Latin layouts keep their own letters (AZERTY's A is where US has Q).
struct KeyRecord {
    // The key code so read, and the event's modifiers (access keys, bar keys).
    int Key = 0;
    Qt::KeyboardModifiers Modifiers;
    // Its normal form, as shortcuts are matched.
    QKeyCombination Shortcut = QKeyCombination::fromCombined(0);
    // Ctrl+Tab or Ctrl+Shift+Tab (not with Alt): steps the operator pages.
    bool CtrlTab = false;
};
KeyRecord RecordOfKey(const QKeyEvent& event);

// The shortcut as the user sees it in menus ("Ctrl+C", "Shift+Tab"); empty
// for no shortcut.
QString ShortcutText(QKeyCombination key);

} // namespace pexa
