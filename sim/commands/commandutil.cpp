#include "commands/commandutil.h"

#include "model/filestore.h"
#include "model/timecode.h"

#include <QtEndian>

namespace xrsim {

QByteArray bytesOf(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (const int value : values)
        bytes.append(char(value));
    return bytes;
}

int bcdNumberAt(const Frame &frame, int at)
{
    if (frame.count() < at + 2)
        return -1;
    const int high = fromBcd(frame.byte(at));
    const int low = fromBcd(frame.byte(at + 1));
    return high < 0 || low < 0 ? -1 : high * 100 + low;
}

QByteArray bcdNumber(int number)
{
    QByteArray bytes;
    bytes.append(char(toBcd(number / 100)));
    bytes.append(char(toBcd(number % 100)));
    return bytes;
}

quint32 bigEndianAt(const Frame &frame, int at)
{
    return qFromBigEndian<quint32>(frame.data().constData() + at);
}

QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray nameAt(const Frame &frame, int at)
{
    return FileStore::unpadded(frame.data().mid(at, FileStore::NameSize));
}

} // namespace xrsim
