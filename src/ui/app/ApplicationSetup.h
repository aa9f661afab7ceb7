#pragma once

namespace pexa {

// The icon sizes put into the program's icon: those that task bars, window
// switchers, menus and the about box ask for.
inline constexpr int kApplicationIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// Application-wide settings made once, after the application object and
// before the first window: the name that message boxes are titled with and
// the icon that every window shows, the interface font and, on request
// (PEXA_PALETTE=dark), the dark palette. Window titles stay exactly as the
// windows set them: no display name is appended to them.
void SetUpApplication();

} // namespace pexa
