#include "wire/reply.h"

namespace xrsim::reply {

namespace {
constexpr quint8 AckCode = 0x01;
constexpr quint8 NakCommand = 0x12;
} // namespace

Frame ack()
{
    return Frame(group::Return, AckCode);
}

Frame nak(NakCode code)
{
    return Frame(group::Return, NakCommand, QByteArray(1, char(code)));
}

Frame sense(quint8 code, const QByteArray &data)
{
    return Frame(group::SenseReturn, code, data);
}

} // namespace xrsim::reply
