#include "ui/app/WindowingPlatform.h"

#include <QGuiApplication>

namespace pexa {

bool IsWaylandPlatform(QStringView platformName) {
    return platformName.startsWith(u"wayland", Qt::CaseInsensitive);
}

bool CanKeepWindowOnTop() {
    return !IsWaylandPlatform(QGuiApplication::platformName());
}

bool KnowsPointerPosition() {
    return !IsWaylandPlatform(QGuiApplication::platformName());
}

} // namespace pexa
