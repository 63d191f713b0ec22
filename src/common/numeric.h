#pragma once

// How numbers are read from and written to texts: settings-file lines, text
// boxes and captions all go through these, so that a value written by one
// window reads back alike in every other.

#include <QString>

#include <cstdint>

// The value of the longest number the text begins with: an optional sign
// ("+" or "-"), digits, at most one decimal point. Blanks, tabs and line
// feeds are skipped wherever they stand, even between digits, so " 1 2.5"
// reads 12.5 and "- 3" reads -3. Reading stops at the first other character
// (a carriage return included) or at a second decimal point: "1.5.3" reads
// 1.5, "3abc" reads 3. A text that does not begin with a number ("", ".",
// "-", "abc") reads 0. No exponent or radix prefix is recognised.
double numericValue(const QString& text);

// The whole number nearest to `value`, a half going to the even neighbour
// (2.5 -> 2, 3.5 -> 4, -2.5 -> -2). Throws RuntimeError(ErrorCode::Overflow)
// when the result lies outside -32768..32767 (so 32767.5 overflows while
// -32768.5 does not), and for a value that is not a number.
std::int16_t wholeNumber(double value);

// wholeNumber(numericValue(text)): a whole number read from a text.
std::int16_t wholeNumberOf(const QString& text);

// The print form of a number as a settings-file line (without its line end):
// a blank where the sign goes, or "-" for a negative number, the plain
// decimal digits and one trailing blank. 1 -> " 1 ", -3 -> "-3 ",
// 2.5 -> " 2.5 ".
QString numericPrintForm(double value);
