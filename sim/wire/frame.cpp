#include "wire/frame.h"

namespace xrsim {

Frame::Frame(quint8 group, quint8 code, const QByteArray &data)
    : m_group(group & 0x0F), m_code(code), m_data(data.left(MaxData))
{
    Q_ASSERT(data.size() <= MaxData);
}

quint8 Frame::byte(int n) const
{
    return n >= 0 && n < m_data.size() ? quint8(m_data.at(n)) : 0;
}

QByteArray Frame::encode() const
{
    QByteArray bytes;
    bytes.reserve(m_data.size() + 3);
    bytes.append(char(m_group << 4 | m_data.size()));
    bytes.append(char(m_code));
    bytes.append(m_data);
    bytes.append(char(checksum(bytes, int(bytes.size()))));
    return bytes;
}

quint8 Frame::checksum(const QByteArray &bytes, int count)
{
    quint8 sum = 0;
    for (int i = 0; i < count && i < bytes.size(); ++i)
        sum = quint8(sum + quint8(bytes.at(i)));
    return sum;
}

Frame::Decoded Frame::decode(const QByteArray &bytes, Frame *out)
{
    if (bytes.isEmpty() || bytes.size() < lengthFor(quint8(bytes.at(0))))
        return Decoded::Incomplete;
    const quint8 cmd1 = quint8(bytes.at(0));
    const int count = cmd1 & 0x0F;
    if (checksum(bytes, count + 2) != quint8(bytes.at(count + 2)))
        return Decoded::BadChecksum;
    *out = Frame(cmd1 >> 4, quint8(bytes.at(1)), bytes.mid(2, count));
    return Decoded::Ok;
}

} // namespace xrsim
