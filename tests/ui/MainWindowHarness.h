#pragma once

// Drives the real main window by executing its actions and reads what every
// bar shows. Shared by the main-window test programs.

#include "CommandLookup.h"
#include "conv/Conversion.h"
#include "core/FormatSettings.h"
#include "settings/Profile.h"
#include "ui/bars/BarStack.h"
#include "ui/bars/CalcBar.h"
#include "ui/keys/KeyRouter.h"
#include "ui/menus/PopupMenus.h"
#include "ui/menus/WindowMenuBar.h"
#include "ui/window/MainWindow.h"
#include "ui/window/ViewOptions.h"

#include <QLabel>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <map>
#include <memory>
#include <string>

namespace pexa::testing {

// The command of a short key name, or an empty text.
inline QString ActionOfKey(const QString& token) {
    static const std::map<QString, QString> keys = {
        {"+", "actionOpAdd"},         {"-", "actionOpSub"},      {"*", "actionOpMul"},
        {"/", "actionOpDiv"},         {"%", "actionOpMod"},      {"=", "actionEqual"},
        {"CE", "actionClearEntry"},   {"AC", "actionClearAll"},  {"BS", "actionBackSpace"},
        {"neg", "actionNegate"},      {"x^2", "actionOpSquare"}, {"Ans", "actionRecallAnswer"},
        {"PI", "actionPi"},           {".", "actionPeriod"},     {"<<", "actionOpShiftLeft"},
        {">>", "actionOpShiftRight"}, {"sqrt", "actionOpSqrt"},  {"ln", "actionOpLogE"},
        {"&", "actionOpAnd"},         {"|", "actionOpOr"},       {"^", "actionOpXor"},
        {"not", "actionOpNot"},       {"pow", "actionOpPower"},
    };
    const auto it = keys.find(token);
    return it != keys.end() ? it->second : QString();
}

// Executes an action as every route does (update pass first; a disabled
// action does nothing). Returns whether it ran.
inline bool Run(MainWindow& window, const QString& name) {
    const std::optional<Command> command = CommandNamed(name.toStdString());
    if (!command)
        qFatal("no action %s", qPrintable(name));
    return window.Execute(*command);
}

// Runs a key sequence such as "12 + 3 =": a short key name (CE, AC, BS, neg,
// Ans, …), an action name (Act…), or a run of digits typed one by one.
inline void Keys(MainWindow& window, const QString& sequence) {
    for (const QString& token : sequence.split(' ', Qt::SkipEmptyParts)) {
        const QString key = ActionOfKey(token);
        if (!key.isEmpty())
            Run(window, key);
        else if (token.startsWith("action"))
            Run(window, token);
        else
            for (const QChar c : token)
                Run(window, QStringLiteral("actionDigit") + c);
    }
}

// What the bar's value label shows (the value or a message).
inline QString Shown(const CalcBar* bar) {
    return bar != nullptr ? bar->Parts().ValueLabel->text() : QStringLiteral("<no bar>");
}

inline QString ShownOf(const MainWindow& window, BarKind kind) {
    return Shown(window.Bars().Find(kind));
}

inline QString PlainText(const CalcBar* bar) {
    return QString::fromStdString(bar->Conv().GetText(false));
}

inline bool Enabled(MainWindow& window, const char* name) {
    window.UpdateActions();
    return FindAction(window, name)->isEnabled();
}

inline bool Checked(MainWindow& window, const char* name) {
    window.UpdateActions();
    return FindAction(window, name)->isChecked();
}

// The window in a known state: the start-up defaults (DWord, decimal and
// hexadecimal bars, the decimal one active) with digit grouping off so that
// texts compare plainly, and '.' and ',' as the locale characters. Its
// settings file is a fresh one of its own, so that no test starts from what
// another saved.
class WindowFixture {
public:
    WindowFixture()
        : format_(FormatSettings{}),
          profile_(settingsDir_.filePath(QStringLiteral("pexa.ini")).toStdString()),
          window_(std::make_unique<MainWindow>()) {
        window_->View().Set(ViewOptions::Flag::DigitGrouping, false);
    }
    MainWindow& operator*() { return *window_; }
    MainWindow* operator->() { return window_.get(); }
    MainWindow& Window() { return *window_; }

private:
    FormatSettingsScope format_;
    QTemporaryDir settingsDir_;
    ProfilePathOverride profile_;
    std::unique_ptr<MainWindow> window_;
};

} // namespace pexa::testing
