// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <array>

// Binary-coded decimal and fixed-width decimal text as the recorder uses them.
// Segment numbers and similar counters travel as two BCD bytes, high byte
// first; several setup fields are exchanged as groups of four decimal digits.
// None of these check their input: the recorder's bytes are taken as they come.

// 0-9999 as 16-bit BCD, thousands in the top nibble (1234 -> 0x1234). Larger
// values keep their last four decimal digits.
quint16 BinToBcd4(unsigned value);

// Whether both of the byte's nibbles are decimal digits.
constexpr bool IsBcdByte(quint8 byte)
{
    return (byte >> 4) <= 9 && (byte & 0x0F) <= 9;
}

// Two BCD bytes, high byte first, back to 0-9999.
unsigned Bcd4ToBin(quint8 high, quint8 low);

// The value of `count` BCD bytes, most significant first; each byte is worth two
// decimal digits. A count below 1 gives 0; more than four bytes exceed 32 bits
// and keep only the low 32 bits of the value.
quint32 BcdBytesToBin(const quint8 *bytes, int count);

// Writes the decimal digits of `value` (0-9999) to `buffer` without a
// terminator and returns how many were written. With `pad`, or for values of
// 1000 and above, always four digits with leading zeros; otherwise one to three.
// Values above 9999 keep their last four digits.
int DecimalDigits(unsigned value, char *buffer, bool pad);

// Three padded four-digit groups at offsets 0, 4 and 8 of `buffer` (12
// characters, no terminator).
void DecimalDigits3(unsigned first, unsigned second, unsigned third, char *buffer);

// The value of four decimal digit characters. The characters are not checked:
// anything else simply contributes its distance from '0'.
int ParseDecimal4(const char *digits);

// The three four-digit groups at offsets 0, 4 and 8 of a 12-character text.
std::array<int, 3> ParseDecimal4x3(const char *digits);

// "0"-"9" -> 0-9, "A"-"F" -> 10-15, a lower-case letter -> its place after "a"
// plus 10 ("a"-"f" -> 10-15, "g" -> 16 ... "z" -> 35), anything else -> 0.
int HexDigitValue(char c);
