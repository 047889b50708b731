// SPDX-License-Identifier: GPL-3.0-or-later
#include "wire/reply.h"

namespace xrsim::reply {

namespace {
constexpr quint8 kAckCode = 0x01;
constexpr quint8 kNakCommand = 0x12;
} // namespace

Frame Ack()
{
    return Frame(group::kReturn, kAckCode);
}

Frame Nak(NakCode code)
{
    return Frame(group::kReturn, kNakCommand, QByteArray(1, char(code)));
}

Frame Sense(quint8 code, const QByteArray &data)
{
    return Frame(group::kSenseReturn, code, data);
}

} // namespace xrsim::reply
