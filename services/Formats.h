#pragma once
// Number and text helpers shared by both windows. Plain functions, no widgets.
#include "services/Text.h"

namespace formats {

// The number a text starts with: digits with an optional "." and decimals.
// "64.6" gives 64.6, "1ページ" gives 1, "" and "ページ" give 0.
double LeadingNumber(text::TextView text);

// The whole part of a number, rounded towards minus infinity (Int).
double Int(double value);

// Remainder of two numbers after each has been rounded to a whole number, halves to even;
// the sign follows the dividend (7.5 mod 2 gives 0, -7 mod 3 gives -1). Divisor 0 gives 0
// rather than a fault.
long long RoundedMod(double dividend, double divisor);

// Rounds halves away from zero: 0.5 gives 1, 2.5 gives 3, -0.5 gives -1.
double RoundHalfAway(double value);

// Shortest plain decimal text: "." as the decimal point, no grouping, no trailing zeros,
// no decimal point for a whole value (80 gives "80", 61.9 gives "61.9").
text::Text PlainNumber(double value);

// `decimals` digits after ".", rounded as printf rounds (2.005 has no exact double):
// 0.45 with 2 gives "0.45", 1.25 gives "1.25".
text::Text FixedDecimals(double value, int decimals);

// The format "###.0": at least one decimal digit, no leading zero (80 gives "80.0",
// 0.5 gives ".5"); halves round away from zero.
text::Text FormatOneDecimal(double value);

// The format "#,###": a whole number with "," between groups of three digits; empty
// below 0.5. Halves round away from zero.
text::Text FormatGrouped(double value);

// Character of a code (Chr) and its inverse (Asc). Codes outside Unicode, or negative,
// give an empty text; the code of an empty text is -1.
text::Text CharacterOf(int code);
int CodeOf(text::TextView text);

// The control characters: C0, DEL and C1. No key types one into a text shown to the pupil.
bool IsControlCode(int code);

}  // namespace formats
