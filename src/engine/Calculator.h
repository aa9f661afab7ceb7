#pragma once

#include "conv/Conversion.h"
#include "core/CalcArithmetic.h"
#include "core/CalcValue.h"
#include "engine/FunctionOptions.h"
#include "engine/HistoryTape.h"
#include "engine/OpenBars.h"
#include "engine/Refusal.h"
#include "engine/UndoHistory.h"

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pexa {

class CalculatorDisplay;

// The calculator: the current value, the accumulator and the operand of the
// pending binary operator, the last answer, the entry state, the mode and
// the options of the functions (FunctionOptions), and the open bars that show the value (each
// a conversion that reads and writes it in its notation). Commands come in
// as calls; what changed goes out through the display.
//
// Operations evaluate left to right as they are entered ("2 + 3 * 4 =" is
// 20). An error shown in the active bar blocks every operation until a clear,
// a new value (Answer, pi) or an entry in another bar.
//
// Every command that changes what the user sees (the registers, the entry,
// the pending operator, an error shown, the mode and options, the memory) is
// one undo step: one typed character, one operator, one mode switch. The
// open bars, the active bar and the bars' own settings are view, not undone.
// Completed calculations join the history tape.
class Calculator {
public:
    explicit Calculator(CalculatorDisplay& display);
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    // ---- Registers and state ------------------------------------------------
    const CalcValue& Current() const { return current_; }
    const CalcValue& Accumulator() const { return accumulator_; }
    const CalcValue& Operand() const { return operand_; }
    const CalcValue& Answer() const { return answer_; }
    std::optional<BinaryOp::Index> PendingOperator() const { return pending_; }
    EntryState Entry() const { return entry_; }
    // The pending operator's symbol while one waits for its operand; empty
    // otherwise (also after "=").
    std::string PendingOperatorSymbol() const;
    // Whether an error in the active bar blocks the operations.
    bool IsBlocked() const;
    // The bar whose entry is being typed while its text denotes no valid
    // value (a date that does not exist, half a word): "=", the operators
    // and the functions are refused until it is corrected or replaced, and
    // the other bars have no value to show. None otherwise.
    std::optional<BarKind> InvalidEntryBar() const;

    // ---- Mode and options ---------------------------------------------------
    CalcValueMode Mode() const { return mode_; }
    // Converts the current value and every bar into the mode.
    void SetMode(CalcValueMode mode);
    bool Signed() const { return signed_; }
    void SetSigned(bool on);
    bool Reversed() const { return reversed_; }
    void SetReversed(bool on);
    // The angle unit and the shift keys' behaviour, read by the functions.
    const FunctionOptions& Options() const { return options_; }
    // Changes made here are no undo step of their own: SetOptions is.
    FunctionOptions& Options() { return options_; }
    void SetOptions(const FunctionOptions& options);

    // ---- Entry --------------------------------------------------------------
    // Whether the active bar takes the character (startNew: it begins a new
    // number whatever the state; pasting: it comes from the clipboard).
    bool CanType(char ch, bool startNew, bool pasting) const;
    // Types a character into the active bar; true when something changed.
    bool Type(char ch, bool startNew, bool pasting);
    // Whether a paste skips the character in the active bar.
    bool IsIgnoredInPaste(char ch) const;
    // Pastes a text into the active bar, whole or not at all. Blanks around
    // it are left out, a lone sign is refused, and a leading "-" gives the
    // number its sign in a bar that reads signed numbers (none of this in a
    // bar that takes its text verbatim, see Conversion::KeepsPastedBlanks).
    // The characters are tried on a copy of the bar first, each through the
    // same acceptance test as a typed one; only when every one went in, and
    // the text denotes a valid value, is the paste made. Otherwise nothing
    // changes (value, entry, pending operator) and the result says why. An
    // empty text does nothing.
    PasteResult PasteText(const std::vector<PastedCharacter>& text);
    // The same for characters given only as their bytes (ASCII for blanks).
    PasteResult Paste(const std::vector<std::optional<std::string>>& characters);
    // Whether the active bar takes characters whole (Conversion::TakesWholeCharacters).
    bool TakesWholeCharacters() const;
    // Types a whole character into such a bar; false when it refused it, in
    // which case nothing changed (a refused first character does not clear).
    bool TypeCharacter(char32_t ch);
    // Pastes whole characters into such a bar, whole or not at all as Paste
    // does (the character bar keeps blanks: they are characters there).
    PasteResult PasteCharacters(const std::u32string& text);
    // The sign key: toggles the entry's sign while typing, else negates.
    void ToggleSign();
    void BackSpace();

    // ---- Operations ---------------------------------------------------------
    void PressOperator(BinaryOp::Index op);
    void Evaluate(bool isEquals);
    // "=": Evaluate, then keep the result as the answer.
    void Equal();
    void RecallAnswer();
    void EnterPi();
    // An expression's value as the computed value, in every bar, with a line
    // on the tape; one undo step. The value must be of the current mode.
    void EnterExpressionResult(std::string expression, const CalcValue& value);
    void ApplyUnary(UnaryOp::Index op);
    // +1 shifts left, -1 right, by the shift amount.
    void ShiftByAmount(int direction);
    void ApplyTrig(TrigFunctionKind kind, bool inverse);
    // Flips one bit of the current value (0 the least significant), as a
    // function would: the entry ends, a pending operator stays. Refused,
    // with nothing changed, in Real mode (a real has no bit pattern to
    // edit), for a bit outside the mode's width, and while blocked.
    bool FlipBit(int bit);
    // Clears the entry; with all, the accumulator and pending operator too.
    void Clear(bool all);
    // Replaces the pending operator (none for an out-of-range number).
    void SetPendingOperator(std::optional<BinaryOp::Index> op);

    // Takes the value of a bar that was edited (none: only passes the
    // current value to every bar).
    void SyncFromBar(std::optional<BarKind> edited);
    // Shows a calculation failure in one bar, or in every bar for none. A
    // failure that is not a CalcError shows nothing and clears what was shown.
    void ReportFailure(std::exception_ptr failure, std::optional<BarKind> bar);

    // ---- Undo -----------------------------------------------------------------
    bool CanUndo() const { return undo_.CanUndo(); }
    bool CanRedo() const { return undo_.CanRedo(); }
    // Puts back the state before the last step (after the last undone one);
    // false when there is none. The display hears of every bar, the pending
    // operator, and StateRestored.
    bool Undo();
    bool Redo();
    // Forgets every step (after the start-up has put the settings in place).
    void ForgetUndo() { undo_.Forget(); }
    // The state undo and redo work with, as it is now.
    CalculatorSnapshot Snapshot() const;

    // Makes the calls within its life one undo step (a command of the window
    // that calls the calculator more than once). Steps nest; the outermost
    // one records, and only when the state changed.
    class Step {
    public:
        explicit Step(Calculator& calculator);
        ~Step();
        Step(const Step&) = delete;
        Step& operator=(const Step&) = delete;

    private:
        Calculator& calculator_;
        std::optional<CalculatorSnapshot> before_;
    };

    // ---- Memory ---------------------------------------------------------------
    // Memory is part of the state: each command below is an undo step.
    const std::optional<CalcValue>& Memory() const { return memory_; }
    bool HasMemory() const { return memory_.has_value(); }
    // MS, M+ and M-: the current value into the memory, added to it or taken
    // from it in the current mode's arithmetic (an empty memory counts as
    // zero). They end an entry, as a function does. Refused, with nothing
    // changed, while the active bar shows an error or the entry is invalid.
    // A real error (a result beyond the range) leaves the memory as it was
    // and shows in the bars as any calculation's error; false then.
    bool MemoryStore();
    bool MemoryAdd();
    bool MemorySubtract();
    // MR: the memory as a computed value; false (nothing done) when empty.
    bool MemoryRecall();
    void MemoryClear();
    // Puts a stored memory back (start-up), or empties it.
    void SetMemory(const std::optional<CalcValue>& value);

    // ---- History tape -----------------------------------------------------------
    // Binary operations as they are computed (each step of a chain, "="),
    // functions applied to a value, and pastes. The tape is a record, not
    // part of the state: undo leaves it alone.
    const HistoryTape& Tape() const { return tape_; }
    void ClearTape();
    // Puts a line's result back as a computed value, in the line's mode (an
    // undo step); false for an index outside the tape.
    bool RecallTapeLine(std::size_t index);
    // Puts saved lines back in place of the tape (start-up), oldest first;
    // beyond the capacity the oldest are dropped.
    void RestoreTape(std::vector<TapeLine> lines);

    // ---- Bars ---------------------------------------------------------------
    const OpenBars& Bars() const { return bars_; }
    OpenBars& Bars() { return bars_; }
    // Opens a bar of the kind at the end, reading the current value in the
    // current mode; none when the kind has no conversion or is open.
    Conversion* OpenBar(BarKind kind);
    // To be called after the window changed a bar's own settings on its
    // conversion (character encoding, time format, degree style), which
    // rewrites the bar's text from its value: undo, to this step or to any
    // before, then shows the value there rather than replay an entry typed
    // under the old settings, which may read as another value.
    void BarSettingsChanged(BarKind kind);
    // Closes a bar and hands its conversion to the caller (for whatever
    // still refers to it); none when the kind was not open.
    std::unique_ptr<Conversion> CloseBar(BarKind kind);

private:
    // Shows a value in every bar and makes it the current value.
    void ShowValue(const CalcValue& value);
    // The same for a value that a function, pi or Answer gave.
    void SetComputedValue(const CalcValue& value);
    // Applies an operation to the current value; a symbol names it on the
    // history tape (none: the tape is not told).
    // false when it failed or was refused.
    template <class Operation>
    bool ApplyInPlace(Operation operation, std::optional<std::string> symbol);
    // The inputs typed into a bar since its entry began, for undo.
    void LogInput(BarKind bar, EntryInput input);
    // A bar shows the value again: the log no longer gives its text.
    void ForgetLogOf(BarKind bar);
    void Restore(const CalculatorSnapshot& snapshot);
    void RestoreBar(BarKind bar, const CalculatorSnapshot& snapshot);
    bool ReplayLog(Conversion& conversion) const;
    void RecordStep(const CalculatorSnapshot& before);
    // Whether the state is the snapshot's (Snapshot() == snapshot).
    bool Matches(const CalculatorSnapshot& snapshot) const;
    // M+ and M-: the operation on the memory and the current value.
    bool ChangeMemory(BinaryOp::Index op);
    bool RefuseMemoryCommand();
    void AddTapeLine(TapeLineKind kind, std::string symbol, std::optional<BinaryOp::Index> binary,
                     const CalcValue& left, const CalcValue& right, const CalcValue& result);
    bool TypeInto(BarKind bar, char ch, bool startNew, bool pasting, bool deferSync);
    bool CanTypeInto(BarKind bar, char ch, bool newEntry, bool pasting) const;
    // The common part of typing: starts a new entry when asked, then applies
    // input to the conversion.
    template <class Input>
    bool EnterInto(BarKind bar, bool newEntry, bool deferSync, EntryInput logged, Input input);
    // Types the pasted characters [begin, end) into a conversion as a new
    // entry; the refusal when one does not go in.
    std::optional<Refusal> TypePasted(Conversion& conversion,
                                      const std::vector<PastedCharacter>& text, std::size_t begin,
                                      std::size_t end, bool negative,
                                      std::vector<EntryInput>* inputs = nullptr) const;
    std::optional<Refusal> TypePastedCharacters(Conversion& conversion, const std::u32string& text,
                                                std::vector<EntryInput>* inputs = nullptr) const;
    // Makes the paste a copy of the bar took: the real bar takes it the same way.
    template <class Typing> void ApplyPaste(BarKind bar, Typing typing);
    // Tells the display why an operation is refused while the entry is
    // invalid; false (and nothing told) when it is valid.
    bool RefuseInvalidEntry();
    static bool ApplyPastedSign(Conversion& conversion);
    // The bar operations that show their result, with errors caught per bar.
    void SetBarValue(BarKind bar, const CalcValue& value);
    void ClearBar(BarKind bar);

    CalculatorDisplay& display_;
    OpenBars bars_;
    CalcValue current_{CalcValueMode::Byte, 0, 0.0L};
    CalcValue accumulator_{CalcValueMode::Byte, 0, 0.0L};
    CalcValue operand_{CalcValueMode::Byte, 0, 0.0L};
    CalcValue answer_{CalcValueMode::Byte, 0, 0.0L};
    std::optional<BinaryOp::Index> pending_;
    EntryState entry_ = EntryState::Idle;
    // The bar the last character was typed into.
    std::optional<BarKind> entryBar_;
    CalcValueMode mode_ = CalcValueMode::DWord;
    bool signed_ = false;
    bool reversed_ = false;
    FunctionOptions options_;
    std::optional<CalcValue> memory_;
    EntryLog log_;
    UndoHistory undo_;
    int stepDepth_ = 0;
    HistoryTape tape_;
};

// Whether the calculator can open a bar of the kind (it has a conversion in
// this build).
bool CanOpenBarKind(BarKind kind);

// The bit of the value that a bar shows at a position of its bit pattern (0
// the rightmost). A bar that reverses the byte order shows the value's low
// byte leftmost, so its rightmost bit is the lowest bit of the value's top
// byte. -1 for a position outside the mode's width and in Real mode.
int ValueBitShownAt(int shownBit, CalcValueMode mode, bool reversed);

} // namespace pexa
