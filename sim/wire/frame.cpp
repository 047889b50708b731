// SPDX-License-Identifier: GPL-3.0-or-later
#include "wire/frame.h"

namespace xrsim {

Frame::Frame(quint8 group, quint8 code, const QByteArray &data)
    : group(group & 0x0F), code(code), data(data.left(kMaxData))
{
    Q_ASSERT(data.size() <= kMaxData);
}

quint8 Frame::Byte(int n) const
{
    return n >= 0 && n < data.size() ? quint8(data.at(n)) : 0;
}

QByteArray Frame::Encode() const
{
    QByteArray bytes;
    bytes.reserve(data.size() + 3);
    bytes.append(char(group << 4 | data.size()));
    bytes.append(char(code));
    bytes.append(data);
    bytes.append(char(Checksum(bytes, int(bytes.size()))));
    return bytes;
}

quint8 Frame::Checksum(const QByteArray &bytes, int count)
{
    quint8 sum = 0;
    for (int i = 0; i < count && i < bytes.size(); ++i)
        sum = quint8(sum + quint8(bytes.at(i)));
    return sum;
}

Frame::Decoded Frame::Decode(const QByteArray &bytes, Frame *out)
{
    if (bytes.isEmpty() || bytes.size() < LengthFor(quint8(bytes.at(0))))
        return Decoded::Incomplete;
    const quint8 cmd1 = quint8(bytes.at(0));
    const int count = cmd1 & 0x0F;
    if (Checksum(bytes, count + 2) != quint8(bytes.at(count + 2)))
        return Decoded::BadChecksum;
    *out = Frame(cmd1 >> 4, quint8(bytes.at(1)), bytes.mid(2, count));
    return Decoded::Ok;
}

} // namespace xrsim
