// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/commandutil.h"

#include "model/filestore.h"
#include "model/timecode.h"

#include <QtEndian>

namespace xrsim {

QByteArray BytesOf(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (const int value : values)
        bytes.append(char(value));
    return bytes;
}

int BcdNumberAt(const Frame &frame, int at)
{
    if (frame.Count() < at + 2)
        return -1;
    const int high = FromBcd(frame.Byte(at));
    const int low = FromBcd(frame.Byte(at + 1));
    return high < 0 || low < 0 ? -1 : high * 100 + low;
}

QByteArray BcdNumber(int number)
{
    QByteArray bytes;
    bytes.append(char(ToBcd(number / 100)));
    bytes.append(char(ToBcd(number % 100)));
    return bytes;
}

quint32 BigEndianAt(const Frame &frame, int at)
{
    return qFromBigEndian<quint32>(frame.Data().constData() + at);
}

QByteArray BigEndian(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray NameAt(const Frame &frame, int at)
{
    return FileStore::Unpadded(frame.Data().mid(at, FileStore::kNameSize));
}

} // namespace xrsim
