// SPDX-License-Identifier: GPL-3.0-or-later
#include "wirewords.h"

#include "link/wiretap.h"
#include "protocol/bcd.h"

#include <QStringList>

namespace {

constexpr quint8 kFieldMark = 0x80;
constexpr quint8 kDropFrameMark = 0x40;

int BcdByte(quint8 byte, quint8 valueMask)
{
    const quint8 value = byte & valueMask;
    return (value >> 4) * 10 + (value & 0x0F);
}

} // namespace

QString HexBytes(const quint8 *bytes, int length)
{
    QString text;
    text.reserve(length * 3);
    for (int i = 0; i < length; ++i) {
        if (i > 0)
            text += QLatin1Char(' ');
        text += QString::asprintf("%02X", bytes[i]);
    }
    return text;
}

QString BcdTimecodeWords(const quint8 *bytes)
{
    QString text =
        QString::asprintf("%02d:%02d:%02d:%02d", BcdByte(bytes[3], 0x3F), BcdByte(bytes[2], 0x7F),
                          BcdByte(bytes[1], 0x7F), BcdByte(bytes[0], 0x3F));
    if ((bytes[1] & kFieldMark) || (bytes[3] & kFieldMark))
        text += QStringLiteral(" field 2");
    if (bytes[0] & kDropFrameMark)
        text += QStringLiteral(" drop frame");
    return text;
}

QString QuotedName(const quint8 *bytes, int length)
{
    QString text = QStringLiteral("\"");
    for (int i = 0; i < length && bytes[i] != 0; ++i) {
        if (bytes[i] >= 0x20 && bytes[i] < 0x7F)
            text += QLatin1Char(static_cast<char>(bytes[i]));
        else
            text += QString::asprintf("\\x%02X", bytes[i]);
    }
    return text + QLatin1Char('"');
}

int DataBytesIn(const quint8 *frame, int length)
{
    constexpr int kHead = 2;
    if (length <= kHead)
        return 0;
    const int announced = frame[0] & 0x0F;
    return length >= kHead + announced + 1 ? announced : length - kHead;
}

int SegmentNumberAt(const quint8 *bytes)
{
    return static_cast<int>(Bcd4ToBin(bytes[0], bytes[1]));
}

QString FateWords(WireFate fate)
{
    switch (fate) {
    case WireFate::Taken:
        return {};
    case WireFate::Stale:
        return QStringLiteral("stale, dropped unread");
    case WireFate::Stray:
        return QStringLiteral("not from the recorder commanded, dropped");
    case WireFate::Runt:
        return QStringLiteral("shorter than a header, dropped");
    }
    return {};
}
