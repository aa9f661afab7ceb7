#pragma once

#include <QKeyCombination>
#include <QString>

class QKeyEvent;

namespace pexa {

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
inline constexpr QKeyCombination kNoShortCut = QKeyCombination::fromCombined(0);

// True for kNoShortCut and for key codes that can never be pressed.
bool IsNoShortCut(QKeyCombination key);

// The normal form of a shortcut or pressed key (kNoShortCut for a
// modifier-only key, an unknown key or no key).
QKeyCombination NormalizeKey(QKeyCombination key);

// The key of a key-down event as shortcuts and access keys see it. Keys are
// matched by their place, not by the alphabet of the layout: a letter of a
// non-Latin alphabet (Cyrillic, Greek, ...) stands for the Latin letter on
// the same key of a US keyboard, so Ctrl+C and Alt+H work under a Russian
// layout. Latin layouts keep their own letters (AZERTY's A is where US has Q).
int KeyCodeOfEvent(const QKeyEvent& event);

// The normal form of a key-down event (its key as KeyCodeOfEvent gives it).
QKeyCombination KeyOfEvent(const QKeyEvent& event);

// The shortcut as the user sees it in menus ("Ctrl+C", "Shift+Tab"); empty
// for no shortcut.
QString ShortCutText(QKeyCombination key);

} // namespace pexa
