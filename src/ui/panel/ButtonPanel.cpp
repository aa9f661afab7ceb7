#include "ui/panel/ButtonPanel.h"

#include "ui/panel/OperatorPages.h"

#include <QAction>
#include <QActionEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

namespace pexa {

// ---- CommandButton ---------------------------------------------------------------

CommandButton::CommandButton(QAction& action, Command command, const char* ownCaption,
                             QWidget* parent)
    : QToolButton(parent), command_(command), ownCaption_(ownCaption) {
    setFocusPolicy(Qt::NoFocus);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    setDefaultAction(&action);
    // A command the panel does not offer keeps its button, hidden.
    if (!OfferedInControls(command))
        hide();
    ShowOwnTexts();
}

// Qt's tool button copies its action's caption and tooltip at every change of
// the action; the button's own caption, and no tooltip for a command without
// a hint (Qt would show the caption), are put back after it.
void CommandButton::actionEvent(QActionEvent* event) {
    QToolButton::actionEvent(event);
    ShowOwnTexts();
}

void CommandButton::changeEvent(QEvent* event) {
    QToolButton::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        ShowOwnTexts();
}

void CommandButton::ShowOwnTexts() {
    if (ownCaption_ != nullptr)
        setText(QCoreApplication::translate("ButtonPanel", ownCaption_));
    if (ShortHintOf(command_).isEmpty())
        setToolTip(QString());
}

void RetranslateShiftAmountSelector(QToolButton& selector) {
    selector.setToolTip(CommandToolTip(Command::ShiftAmountMenu));
    selector.setAccessibleName(ShortHintOf(Command::ShiftAmountMenu));
}

// ---- The panel ----------------------------------------------------------------

CommandButton* ButtonPanel::ButtonOf(const QString& actionName) const {
    for (CommandButton* button : Buttons)
        if (actionName == QLatin1String(InfoOf(button->BoundCommand()).Name))
            return button;
    return nullptr;
}

namespace {

// One key of the panel: the command and the button's own caption (none
// when it shows the command's). Own captions read the same in every language
// except where the English one names the command apart from another.
struct Key {
    Command Action;
    const char* Caption = nullptr;
};

class PanelBuilder {
public:
    PanelBuilder(QWidget& pane, const CommandActionArray& actions, ButtonPanel& panel)
        : actions_(actions), panel_(panel) {
        const QFontMetrics metrics(pane.font());
        height_ = metrics.height() + 8;
        width_ = std::max(height_ * 3 / 2, metrics.horizontalAdvance(QStringLiteral("Int64")) + 8);
    }

    CommandButton* Button(const Key& key, QWidget* parent) {
        auto* button =
            new CommandButton(*actions_[IndexOf(key.Action)], key.Action, key.Caption, parent);
        button->setObjectName(ButtonName(key.Action));
        button->setFixedSize(width_, height_);
        panel_.Buttons.push_back(button);
        return button;
    }

    // Rows of keys, one grid row each, in the container.
    void Rows(QWidget* container, std::initializer_list<std::initializer_list<Key>> rows) {
        auto* grid = Grid(container);
        int row = 0;
        for (const auto& keys : rows) {
            int column = 0;
            for (const Key& key : keys)
                grid->addWidget(Button(key, container), row, column++);
            ++row;
        }
    }

    static QGridLayout* Grid(QWidget* container) {
        auto* grid = new QGridLayout(container);
        grid->setSpacing(2);
        grid->setContentsMargins(4, 4, 4, 4);
        grid->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return grid;
    }

    int ButtonWidth() const { return width_; }
    int ButtonHeight() const { return height_; }

private:
    // "buttonOpAdd" for the action "actionOpAdd".
    static QString ButtonName(Command action) {
        return QStringLiteral("button") + QString::fromLatin1(InfoOf(action).Name).mid(6);
    }

    const CommandActionArray& actions_;
    ButtonPanel& panel_;
    int width_ = 0;
    int height_ = 0;
};

QFrame* Group(const char* name, QWidget* parent) {
    auto* group = new QFrame(parent);
    group->setObjectName(QString::fromLatin1(name));
    return group;
}

QGroupBox* FramedGroup(const QString& title, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    group->setFocusPolicy(Qt::NoFocus);
    return group;
}

void BuildModeGroup(PanelBuilder& build, ButtonPanel& panel, QWidget* parent) {
    panel.ModeGroup = FramedGroup(QStringLiteral("Mode"), parent);
    panel.ModeGroup->setObjectName(QStringLiteral("modeGroup"));
    build.Rows(panel.ModeGroup,
               {{{Command::ModeByte},
                 {Command::ModeWord},
                 {Command::ModeDWord},
                 {Command::ModeInt64},
                 {Command::ModeReal},
                 {Command::ModeSigned, "Sgn"},
                 {Command::ModeByteSwap, QT_TRANSLATE_NOOP("ButtonPanel", "Swap")}}});
}

void BuildBinaryPage(PanelBuilder& build, ButtonPanel& panel, QWidget* page) {
    auto* grid = PanelBuilder::Grid(page);
    int column = 0;
    for (const Command name : {Command::OpAnd, Command::OpOr, Command::OpXor, Command::OpNot})
        grid->addWidget(build.Button({name}, page), 0, column++);
    column = 0;
    for (const Command name : {Command::OpShiftLeft, Command::OpShiftRight,
                               Command::OpShiftLeftByAmount, Command::OpShiftRightByAmount})
        grid->addWidget(build.Button({name}, page), 1, column++);
    panel.ShiftAmountSelector = new QToolButton(page);
    panel.ShiftAmountSelector->setObjectName(QStringLiteral("shiftAmountSelector"));
    panel.ShiftAmountSelector->setArrowType(Qt::DownArrow);
    panel.ShiftAmountSelector->setFocusPolicy(Qt::NoFocus);
    panel.ShiftAmountSelector->setFixedSize(12, build.ButtonHeight());
    RetranslateShiftAmountSelector(*panel.ShiftAmountSelector);
    grid->addWidget(panel.ShiftAmountSelector, 1, column);
    grid->addWidget(build.Button({Command::OpReverseBytes, "Rev"}, page), 2, 0);
    grid->addWidget(build.Button({Command::OpReverseBits, "BRev"}, page), 2, 1);
    auto* shiftKind = FramedGroup(QString(), page);
    shiftKind->setObjectName(QStringLiteral("shiftKindGroup"));
    build.Rows(shiftKind, {{{Command::ArithmeticShift, "Ari"}, {Command::Rotate, "Rot"}}});
    grid->addWidget(shiftKind, 2, 2, 1, 3);
    column = 0;
    for (const Key& key : {Key{Command::OpPopCount, "Pop"}, Key{Command::OpLeadingZeros, "Clz"},
                           Key{Command::OpTrailingZeros, "Ctz"}})
        grid->addWidget(build.Button(key, page), 3, column++);
}

void BuildTrigonPage(PanelBuilder& build, QWidget* page) {
    auto* grid = PanelBuilder::Grid(page);
    auto* functions = FramedGroup(QString(), page);
    functions->setObjectName(QStringLiteral("trigFunctionGroup"));
    build.Rows(functions, {{{Command::OpSin}, {Command::OpCos}, {Command::OpTan}},
                           {{Command::OpArcSin}, {Command::OpArcCos}, {Command::OpArcTan}}});
    grid->addWidget(functions, 0, 0, 2, 1);
    auto* hyperbolic = FramedGroup(QString(), page);
    hyperbolic->setObjectName(QStringLiteral("hyperbolicGroup"));
    build.Rows(hyperbolic, {{{Command::Hyperbolic, "Hyp"}}});
    grid->addWidget(hyperbolic, 0, 1);
    auto* units = new QWidget(page);
    units->setObjectName(QStringLiteral("angleUnitGroup"));
    build.Rows(units, {{{Command::AngleDegrees, "Deg"},
                        {Command::AngleRadians, "Rad"},
                        {Command::AngleGradians, "Grad"}},
                       {{Command::Pi}}});
    grid->addWidget(units, 1, 1);
}

QWidget* Page(OperatorPages* pages, const char* name, const char* caption) {
    auto* page = new QWidget(pages);
    page->setObjectName(QString::fromLatin1(name));
    pages->addTab(page, QString::fromLatin1(caption));
    return page;
}

void BuildOperatorGroup(PanelBuilder& build, ButtonPanel& panel, QWidget* parent) {
    panel.OperatorGroup = Group("operatorGroup", parent);
    auto* grid = PanelBuilder::Grid(panel.OperatorGroup);
    QWidget* op = panel.OperatorGroup;
    grid->addWidget(build.Button({Command::Negate}, op), 0, 0);
    grid->addWidget(build.Button({Command::OpMod}, op), 1, 0);
    grid->addWidget(build.Button({Command::OpDiv}, op), 2, 0);
    grid->addWidget(build.Button({Command::OpMul}, op), 3, 0);
    grid->addWidget(build.Button({Command::RecallAnswer, "Ans"}, op), 3, 1);
    grid->addWidget(build.Button({Command::OpSub}, op), 4, 0);
    grid->addWidget(build.Button({Command::OpAdd}, op), 5, 0);
    CommandButton* equal = build.Button({Command::Equal}, op);
    equal->setFixedHeight(2 * build.ButtonHeight() + grid->spacing());
    grid->addWidget(equal, 4, 1, 2, 1);
}

// The keys share one width, wide enough for the widest caption with the
// style's margins ("DWord" in a wide font), so that no caption touches its
// button's edges.
void FitButtonsToCaptions(const ButtonPanel& panel) {
    int widest = 0;
    for (const CommandButton* button : panel.Buttons)
        widest = std::max(widest, button->sizeHint().width());
    for (CommandButton* button : panel.Buttons)
        if (button->width() < widest)
            button->setFixedWidth(widest);
}

} // namespace

ButtonPanel BuildButtonPanel(QWidget& pane, const CommandActionArray& actions) {
    ButtonPanel panel;
    PanelBuilder build(pane, actions, panel);

    auto* columns = new QHBoxLayout(&pane);
    columns->setContentsMargins(8, 8, 8, 8);
    columns->setSpacing(6);

    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    BuildModeGroup(build, panel, &pane);
    left->addWidget(panel.ModeGroup);
    panel.Pages = new OperatorPages(&pane);
    panel.Pages->setObjectName(QStringLiteral("operatorPages"));
    panel.BinaryPage = Page(panel.Pages, "binaryPage", "Binary");
    panel.MathPage = Page(panel.Pages, "mathPage", "Math");
    panel.TrigonometryPage = Page(panel.Pages, "trigonometryPage", "Trigon");
    BuildBinaryPage(build, panel, panel.BinaryPage);
    build.Rows(
        panel.MathPage,
        {{{Command::OpSqrt}, {Command::OpSquare}, {Command::OpPower}, {Command::OpRoot}},
         {{Command::OpExpE}, {Command::OpLogE}, {Command::OpLog10}, {Command::OpLog2}},
         {{Command::OpFloor}, {Command::OpCeil}, {Command::OpFrac}, {Command::OpReciprocal}}});
    BuildTrigonPage(build, panel.TrigonometryPage);
    panel.Pages->setCurrentIndex(0);
    left->addWidget(panel.Pages);
    panel.MemoryGroup = Group("memoryGroup", &pane);
    build.Rows(panel.MemoryGroup, {{{Command::MemoryClear, "MC"},
                                    {Command::MemoryRecall, "MR"},
                                    {Command::MemoryStore, "MS"},
                                    {Command::MemoryAdd, "M+"},
                                    {Command::MemorySubtract, "M−"}}});
    left->addWidget(panel.MemoryGroup);
    left->addStretch(1);
    columns->addLayout(left);

    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    panel.ClearGroup = Group("clearGroup", &pane);
    build.Rows(
        panel.ClearGroup,
        {{{Command::BackSpace, "→"}, {Command::ClearEntry, "CE"}, {Command::ClearAll, "AC"}}});
    right->addWidget(panel.ClearGroup);
    auto* keys = new QHBoxLayout;
    keys->setSpacing(0);
    panel.DigitGroup = Group("digitGroup", &pane);
    build.Rows(panel.DigitGroup, {{{Command::DigitD}, {Command::DigitE}, {Command::DigitF}},
                                  {{Command::DigitA}, {Command::DigitB}, {Command::DigitC}},
                                  {{Command::Digit7}, {Command::Digit8}, {Command::Digit9}},
                                  {{Command::Digit4}, {Command::Digit5}, {Command::Digit6}},
                                  {{Command::Digit1}, {Command::Digit2}, {Command::Digit3}},
                                  {{Command::Digit0}, {Command::Period}, {Command::Separator}}});
    keys->addWidget(panel.DigitGroup);
    BuildOperatorGroup(build, panel, &pane);
    keys->addWidget(panel.OperatorGroup);
    right->addLayout(keys);
    right->addStretch(1);
    columns->addLayout(right);
    FitButtonsToCaptions(panel);
    return panel;
}

} // namespace pexa
