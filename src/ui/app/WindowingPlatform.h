#pragma once

#include <QStringView>

namespace pexa {

// What the windowing system under the program allows, by the name of Qt's
// platform plugin (QGuiApplication::platformName(): "xcb", "wayland",
// "wayland-egl", "offscreen", …).

// Wayland, in any of its plugin variants.
bool IsWaylandPlatform(QStringView platformName);

// Whether a window can ask to be kept above the others. The Wayland
// protocol has no such request: the compositor alone decides.
bool CanKeepWindowOnTop();

// Whether QCursor::pos() says where the pointer is now. A Wayland client
// learns the pointer's position only while it is over one of its own
// surfaces, so outside them it is where the pointer last was.
bool KnowsPointerPosition();

} // namespace pexa
