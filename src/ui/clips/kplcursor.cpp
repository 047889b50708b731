// SPDX-License-Identifier: GPL-3.0-or-later
#include "kplcursor.h"

#include "protocol/bcd.h"

#include <QtEndian>

#include <algorithm>
#include <cctype>

namespace {

constexpr int kWordSize = 4;
constexpr int kWidestHexField = 8;

bool IsLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

bool IsHexDigit(char c)
{
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

bool KplCursor::ReadHex(int width, quint32 &value)
{
    if (width > kWidestHexField || Remaining() < width)
        return false;
    const char *field = bytes.constData() + position;
    if (!std::all_of(field, field + width, IsHexDigit))
        return false;
    value = 0;
    for (int i = 0; i < width; ++i)
        value = value * 16 + static_cast<quint32>(HexDigitValue(field[i]));
    position += width;
    return true;
}

void KplCursor::SkipNewline()
{
    for (int i = 0; i < 2 && position < bytes.size() && IsLineEnd(bytes.at(position)); ++i)
        ++position;
}

bool KplCursor::ReadString(int max, QByteArray &text)
{
    const qsizetype span = std::min<qsizetype>(max + 1, Remaining());
    const char *start = bytes.constData() + position;
    const char *end = std::find(start, start + span, '\0');
    if (end == start + span)
        return false;
    text = QByteArray(start, end - start);
    position += (end - start) + 1;
    return true;
}

bool KplCursor::ReadBytes(int count, const char *&data)
{
    if (count < 0 || Remaining() < count)
        return false;
    data = bytes.constData() + position;
    position += count;
    return true;
}

bool KplCursor::ReadU32BE(quint32 &value)
{
    const char *word = nullptr;
    if (!ReadBytes(kWordSize, word))
        return false;
    value = qFromBigEndian<quint32>(word);
    return true;
}

bool KplCursor::ReadU32LE(quint32 &value)
{
    const char *word = nullptr;
    if (!ReadBytes(kWordSize, word))
        return false;
    value = qFromLittleEndian<quint32>(word);
    return true;
}

QByteArray FieldText(const char *field, int size, int max)
{
    const char *end = std::find(field, field + std::min(size, max), '\0');
    return QByteArray(field, end - field);
}
