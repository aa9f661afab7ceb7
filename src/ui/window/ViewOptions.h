#pragma once

#include "settings/StoredColor.h"

#include <QFont>
#include <QObject>

#include <cstdint>

namespace pexa {

class MainWindow;

// The main window's view options: how the bars show their values (digit
// groups, indicators, the display font), which parts of the window are shown
// (tool bar, menu bar, button panel, expression line, history pane), whether
// it stays on top, and its colour. Each option applies at once to the window
// and every open bar.
class ViewOptions : public QObject {
    Q_OBJECT

public:
    // The display font starts as the window's font, the colour as the
    // system's button face.
    explicit ViewOptions(MainWindow& window);

    // The options the View menu shows as checked.
    enum class Flag {
        DigitGrouping,
        ShowIndicators,
        ToolBar,
        MenuBar,
        ButtonPanel,
        StayOnTop,
        ExpressionLine,
        HistoryPane
    };
    bool Is(Flag flag) const;
    void Set(Flag flag, bool on);
    // The font chooser's font: what every bar's value panel shows.
    const QFont& DisplayFont() const { return displayFont_; }
    void SetDisplayFont(const QFont& font);
    // The window colour as stored: 0x00BBGGRR or a system colour value.
    // Every text drawn on it is made legible on it.
    std::int32_t BodyColor() const { return bodyColor_; }
    void SetBodyColor(std::int32_t value);
    // The system's button face, which follows the desktop.
    static constexpr std::int32_t kDefaultBodyColor = EncodeStoredColor(SystemColor::ButtonFace);

signals:
    // An option the commands show as checked was set (changed or not).
    void Changed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The part of the window a visibility option shows or hides.
    QWidget* PartOf(Flag flag) const;
    void SetStayOnTop(bool on);
    void ApplyWindowColor();

    MainWindow& window_;
    bool digitGrouping_ = true;
    bool showIndicators_ = true;
    QFont displayFont_;
    std::int32_t bodyColor_ = 0;
};

} // namespace pexa
