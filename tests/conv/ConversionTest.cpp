#include "ConvDriver.h"

#include "core/CalcError.h"
#include "core/ModeWidth.h"

#include <gtest/gtest.h>

namespace pexa {
namespace {

using test::MakeConv;

TEST(BarKindTable, LabelsTitlesAndAccessKeys) {
    struct Row {
        BarKind kind;
        const char* label;
        const char* title;
        char key;
    };
    const Row rows[] = {
        {BarKind::Decimal, "DEC", "Decimal", 'D'},
        {BarKind::Hex, "HEX", "Hexadecimal", 'H'},
        {BarKind::Oct, "OCT", "Octal", 'O'},
        {BarKind::Bin, "BIN", "Binary", 'B'},
        {BarKind::Char, "CHR", "Character", 'C'},
        {BarKind::IP, "IP", "IP Address", 'I'},
        {BarKind::Degree, "DEG", "Degree", 'G'},
        {BarKind::Float, "FLT", "IEEE754 Floating-point", 'F'},
        {BarKind::Time, "TIME", "Date/Time", 'T'},
        {BarKind::Kilo, "KILO", "Kilo", 'K'},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        EXPECT_STREQ(GetBarKindInfo(row.kind).Label, row.label);
        EXPECT_STREQ(GetBarKindInfo(row.kind).Title, row.title);
        EXPECT_EQ(BarKindAccessKey(row.kind), row.key);
        if (auto conv = CreateConv(static_cast<int>(row.kind))) {
            EXPECT_EQ(conv->GetLabel(), row.label);
            EXPECT_EQ(conv->GetTitle(), row.title);
            EXPECT_EQ(conv->GetAccessKey(), row.key);
            EXPECT_EQ(conv->GetKind(), row.kind);
        }
    }
    EXPECT_THROW(GetBarKindInfo(static_cast<BarKind>(10)), AssertionFailure);
}

TEST(CreateConv, BuiltKindsAndOutOfRange) {
    for (int kind = 0; kind <= 3; ++kind)
        EXPECT_NE(CreateConv(kind), nullptr) << kind;
    EXPECT_EQ(CreateConv(-1), nullptr);
    EXPECT_EQ(CreateConv(10), nullptr);
    EXPECT_EQ(CreateConv(255), nullptr);
}

TEST(CreateConv, NewConversionIsByteWithoutOptionsAndZero) {
    for (int kind = 0; kind < BarKindCount; ++kind) {
        auto conv = CreateConv(kind);
        if (!conv)
            continue;
        SCOPED_TRACE(kind);
        EXPECT_EQ(conv->GetMode(), CalcValueMode::Byte);
        EXPECT_EQ(conv->GetOptions().Bits(), 0);
        const CalcValue value = conv->GetValue();
        EXPECT_EQ(value.Mode, CalcValueMode::Byte);
        EXPECT_EQ(GetInteger(value), 0);
        EXPECT_FALSE(conv->CanBackspace());
        // The IP notation cannot show a Byte value (the float bar reads it as E4M3).
        const bool byteShowable = kind != 5;
        EXPECT_EQ(conv->GetTextState(),
                  byteShowable ? ConvTextState::Normal : ConvTextState::NotApplicable);
        // Only the date/time and size bars put their own separators on the key.
        const char* caption = kind == 8 ? "/ :" : kind == 9 ? "KMG" : ":";
        EXPECT_EQ(conv->GetSeparatorCaption(), caption);
    }
    EXPECT_EQ(CreateConv(0)->GetText(false), "0");
}

TEST(ConvOptionSet, NumbersAboveSevenMeanNothing) {
    ConvOptionSet set{ConvOption::Signed};
    const auto bogus = static_cast<ConvOption>(9);
    set.Include(bogus);
    EXPECT_EQ(set.Bits(), 0x04);
    EXPECT_FALSE(set.Contains(bogus));
    EXPECT_FALSE(ConvOptionSet::FromBits(0xFF).Contains(bogus));
    EXPECT_TRUE(ConvOptionSet::FromBits(0xFF).Contains(static_cast<ConvOption>(7)));

    auto conv = CreateConv(0);
    conv->SetOption(bogus, true);
    EXPECT_EQ(conv->GetOptions().Bits(), 0);
    EXPECT_FALSE(conv->HasOption(bogus));
}

// A conversion that records how often the base calls UpdateText.
class ProbeConv final : public Conversion {
public:
    ProbeConv() : Conversion(BarKind::Hex) {}
    ConvOptionSet GetCapabilities() const override { return {ConvOption::Signed}; }
    void UpdateText() override { ++updates; }
    std::string GetText(bool) const override { return std::to_string(GetBits()); }
    bool CanInputChar(char, bool, bool) const override { return false; }
    bool InputChar(char) override { return false; }
    bool Backspace() override { return false; }
    int updates = 0;
};

TEST(Conversion, SetOptionUpdatesTextOnlyWhenTheSetChanges) {
    ProbeConv probe;
    probe.SetOption(ConvOption::ReverseEndian, true); // not a capability
    EXPECT_EQ(probe.updates, 0);
    EXPECT_FALSE(probe.HasOption(ConvOption::ReverseEndian));
    probe.SetOption(ConvOption::Signed, true);
    EXPECT_EQ(probe.updates, 1);
    probe.SetOption(ConvOption::Signed, true);
    EXPECT_EQ(probe.updates, 1);
    probe.SetOption(ConvOption::Signed, false);
    EXPECT_EQ(probe.updates, 2);
    EXPECT_TRUE(probe.CanToggleSign());
}

TEST(Conversion, SetValueAndSetModeConvertAndUpdate) {
    ProbeConv probe;
    probe.SetMode(CalcValueMode::Word);
    EXPECT_EQ(probe.updates, 1);
    probe.SetValue(MakeReal(CalcValueMode::Float, 70000.9L));
    EXPECT_EQ(probe.updates, 2);
    EXPECT_EQ(GetInteger(probe.GetValue()), 70000 - 65536);
    EXPECT_EQ(probe.GetValue().Mode, CalcValueMode::Word);
    probe.SetMode(CalcValueMode::Byte);
    EXPECT_EQ(GetInteger(probe.GetValue()), (70000 - 65536) & 0xFF);
}

TEST(Conversion, SignedReadingFollowsModeAndOption) {
    ProbeConv probe;
    const CalcValueMode modes[] = {CalcValueMode::Byte, CalcValueMode::Word, CalcValueMode::DWord,
                                   CalcValueMode::QWord, CalcValueMode::Float};
    for (const CalcValueMode mode : modes) {
        probe.SetMode(mode);
        probe.SetOption(ConvOption::Signed, false);
        EXPECT_EQ(probe.IsSigned(), Is64BitMode(mode));
        probe.SetOption(ConvOption::Signed, true);
        EXPECT_TRUE(probe.IsSigned());
        EXPECT_FALSE(probe.IsReversed());
    }
}

TEST(Conversion, AFailedConversionLeavesTheValue) {
    auto conv = MakeConv(BarKind::Decimal, CalcValueMode::Float);
    conv->SetValue(MakeReal(CalcValueMode::Float, 42.5L));
    CalcValue broken = MakeReal(CalcValueMode::Float, 1.0L);
    broken.RealValue = 1e30L; // no store makes this; it stands for a corrupt record
    EXPECT_THROW(conv->SetValue(broken), CalcError);
    EXPECT_EQ(conv->GetText(false), "42.5");
    EXPECT_EQ(GetReal(conv->GetValue()), 42.5L);
}

} // namespace
} // namespace pexa
