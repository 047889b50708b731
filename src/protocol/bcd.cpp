// SPDX-License-Identifier: GPL-3.0-or-later
#include "bcd.h"

namespace {

constexpr int kGroupWidth = 4;

char DigitChar(unsigned digit)
{
    return static_cast<char>('0' + digit);
}

} // namespace

quint16 BinToBcd4(unsigned value)
{
    quint16 bcd = 0;
    for (int shift = 0; shift < 16; shift += 4) {
        bcd |= static_cast<quint16>((value % 10) << shift);
        value /= 10;
    }
    return bcd;
}

unsigned Bcd4ToBin(quint8 high, quint8 low)
{
    const unsigned hundreds = (high >> 4) * 10 + (high & 0x0F);
    return hundreds * 100 + (low >> 4) * 10 + (low & 0x0F);
}

quint32 BcdBytesToBin(const quint8 *bytes, int count)
{
    quint32 value = 0;
    for (int i = 0; i < count; ++i) {
        value = value * 100 + (bytes[i] >> 4) * 10 + (bytes[i] & 0x0F);
    }
    return value;
}

int DecimalDigits(unsigned value, char *buffer, bool pad)
{
    int width = kGroupWidth;
    if (!pad && value < 1000) {
        width = value >= 100 ? 3 : value >= 10 ? 2 : 1;
    }
    for (int i = width - 1; i >= 0; --i) {
        buffer[i] = DigitChar(value % 10);
        value /= 10;
    }
    return width;
}

void DecimalDigits3(unsigned first, unsigned second, unsigned third, char *buffer)
{
    DecimalDigits(first, buffer, true);
    DecimalDigits(second, buffer + kGroupWidth, true);
    DecimalDigits(third, buffer + 2 * kGroupWidth, true);
}

int ParseDecimal4(const char *digits)
{
    int value = 0;
    for (int i = 0; i < kGroupWidth; ++i) {
        value = value * 10 + (digits[i] - '0');
    }
    return value;
}

std::array<int, 3> ParseDecimal4x3(const char *digits)
{
    return {ParseDecimal4(digits), ParseDecimal4(digits + kGroupWidth),
            ParseDecimal4(digits + 2 * kGroupWidth)};
}

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 10;
    }
    return 0;
}
