#pragma once

// Sizes written as sums of 1024-based units (1K+512, 2G+3M) and read back.

#include "core/CalcValue.h"

#include <cstdint>
#include <string>

namespace pexa {

// Unit letters by index 1..6; index k stands for 2^(10 k), index 0 for no unit.
inline constexpr char SizeUnitLetters[] = "KMGTPE";
inline constexpr int MaxSizeUnitIndex = 6;

// The unit index 1..6 of c (either case), or -1.
int SizeUnitIndex(char c);
bool IsSizeUnitChar(char c);

// v as terms from the largest unit down joined by '+', a leading '-' when
// negative, "0" for zero. Everything from 2^60 up counts in E.
std::string FormatSizeText(std::int64_t v);

// Reads a size text into value: SetReal in Float mode (the fraction after the
// decimal separator counts there), SetInteger otherwise. Sums wrap in 64 bits.
// Raises ConvertError "Invalid character %s" where a unit letter must stand;
// nothing is stored then.
void ParseSizeText(CalcValue& value, const std::string& text, CalcValueMode mode);

// A unit letter's place in a text being normalised and its current index.
struct UnitMark {
    std::size_t Position = 0; // 0-based
    int Index = 0;
};

inline constexpr int MaxUnitMarks = 31;

struct UnitMarks {
    UnitMark Items[MaxUnitMarks];
    int Count = 0;
};

// Records a unit letter; raises ConvertError "Too many prefix characters" when
// MaxUnitMarks are already recorded.
void AddUnitMark(UnitMarks& marks, std::size_t position, int index);

// Raises marks, newest first, so that units fall from left to right above a
// unit of index m; rewrites their letters in text. Raises ConvertError "Too
// many prefix characters" when a unit would have to rise beyond E.
void PromoteUnits(std::string& text, UnitMarks& marks, int m);

// Rewrites a size text being typed (":" after digits becomes K, ":" after a
// unit raises it, '+' before a digit after a unit, no leading zero in a
// group) and tells whether it is acceptable. Raises nothing; on false the text
// may be partly rewritten and should be discarded.
bool NormalizeSizeText(std::string& text);

} // namespace pexa
