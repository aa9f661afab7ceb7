#pragma once

#include <QString>

class QAbstractButton;

namespace pexa {

class CalcBar;

// What screen readers (AT-SPI on Linux, through Qt's accessibility) see of
// the window's own controls. One factory, installed once, describes them:
// - a display bar is one read-only text object named after its notation
//   ("Hexadecimal"), its text what the bar shows, its option buttons its
//   children; the labels it is drawn with are not shown to screen readers;
// - a tool button's name says in words what it does ("Shift Left", "Binary
//   bar", "Character encoding: Shift JIS"), while it goes on drawing its short
//   caption; its Press and Toggle actions click it, so that its command runs
//   as under the mouse (Qt's own Toggle only flips the check mark).
void InstallAccessibleControls();

// Tells screen readers that the bar's text changed, and from what.
void AnnounceBarText(CalcBar& bar, const QString& before);

// The name a screen reader gives the button, in the language shown now.
QString AccessibleNameOf(const QAbstractButton& button);

// The bar's name for a screen reader: its notation's title, translated.
QString AccessibleNameOf(const CalcBar& bar);

} // namespace pexa
