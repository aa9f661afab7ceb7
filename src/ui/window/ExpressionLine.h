#pragma once

#include <QStringList>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;

namespace pexa {

// A line above the bars where an expression is typed as plain text: the
// calculator's keys do not reach it. Beside it a label shows what the text
// would give, as the window computes it. Enter hands the text to the window
// (an empty one, like Esc, hands the keyboard back); Up and Down step through
// the expressions entered before.
class ExpressionLine : public QWidget {
    Q_OBJECT

public:
    explicit ExpressionLine(QWidget* parent);

    QLineEdit* Edit() const { return edit_; }
    QLabel* Preview() const { return preview_; }
    // Takes the keyboard, the text selected to be typed over.
    void TakeKeyboard();
    void ShowPreview(const QString& text, bool isError);
    const QStringList& History() const { return history_; }

signals:
    // The text was changed by the user (not by stepping through the history too).
    void TextChanged(const QString& text);
    // Enter on a text; the window answers with Accept or keeps the text.
    void Submitted(const QString& text);
    // Esc, or Enter on an empty line: the keyboard goes back to the bars.
    void Left();

public slots:
    // The submitted text gave a value: it joins the history and the line empties.
    void Accept();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void StepHistory(int direction);

    QLineEdit* edit_ = nullptr;
    QLabel* preview_ = nullptr;
    QStringList history_;
    // Where Up and Down are in the history: its size means the text being typed.
    qsizetype historyIndex_ = 0;
    QString typed_;
};

} // namespace pexa
