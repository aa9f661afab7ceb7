// Every program with the interface starts in the desktop's language, before
// its first window; the main window then applies the user's own choice.

#include "ui/app/Language.h"

#include <QCoreApplication>

namespace {

void ApplyDesktopLanguage() {
    pexa::ApplyLanguage(pexa::UiLanguage::Automatic);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(ApplyDesktopLanguage)
