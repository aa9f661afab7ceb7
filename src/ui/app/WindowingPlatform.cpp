#include "ui/app/WindowingPlatform.h"

#include <QGuiApplication>

namespace pexa {

bool IsWaylandPlatform(QStringView platformName) {
    return platformName.startsWith(u"wayland", Qt::CaseInsensitive);
}

bool CanKeepWindowOnTop(QStringView platformName) {
    return !IsWaylandPlatform(platformName);
}

bool KnowsPointerPosition(QStringView platformName) {
    return !IsWaylandPlatform(platformName);
}

bool CanKeepWindowOnTop() {
    return CanKeepWindowOnTop(QGuiApplication::platformName());
}

bool KnowsPointerPosition() {
    return KnowsPointerPosition(QGuiApplication::platformName());
}

} // namespace pexa
