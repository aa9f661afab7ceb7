#pragma once

#include <QFont>
#include <QSize>
#include <QString>
#include <QToolButton>
#include <QWidget>

#include <optional>

namespace pexa {

// The tool bar's standard button size.
inline constexpr int ToolButtonWidth = 23;
inline constexpr int ToolButtonHeight = 22;

// A push button of a bar's option area. A choice among several is a
// QButtonGroup of checkable buttons; a lone toggle is a checkable button.
class BarButton : public QToolButton {
    Q_OBJECT
public:
    explicit BarButton(QWidget* parent = nullptr);

    // Advance width of the caption as drawn (access marks removed).
    int CaptionTextWidth() const;

private:
    // The bar's layout measures every button on every size query; the width
    // is kept until the caption or the font changes.
    struct MeasuredWidth {
        QFont Font;
        QString Caption;
        int Width = 0;
    };
    mutable std::optional<MeasuredWidth> measured_;
};

// A gap between option buttons, optionally drawn as a dividing line.
class BarSeparator : public QWidget {
    Q_OBJECT
public:
    BarSeparator(bool divider, int width, QWidget* parent = nullptr);
    bool IsDivider() const { return divider_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool divider_;
};

// The bar's short name with its access letter underlined. Drawn by us so that
// its width is exactly the measured text width the caption alignment relies on.
class BarCaption : public QWidget {
    Q_OBJECT
public:
    explicit BarCaption(QWidget* parent = nullptr);
    // Text with an optional "&" before the access letter.
    void SetMarkedText(const QString& text);
    const QString& MarkedText() const { return markedText_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString markedText_;
    // Layout asks for the size again and again; it is measured once per
    // text and font.
    struct MeasuredSize {
        QFont Font;
        QSize Size;
    };
    mutable std::optional<MeasuredSize> measured_;
};

} // namespace pexa
