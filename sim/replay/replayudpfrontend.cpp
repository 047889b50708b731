// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/replayudpfrontend.h"

#include "replay/replaymatcher.h"
#include "server/framelog.h"
#include "server/loopback.h"
#include "server/simlog.h"
#include "wire/packetheader.h"

#include <QNetworkDatagram>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace xrsim {

ReplayUdpFrontEnd::ReplayUdpFrontEnd(ReplayMatcher &matcher, FrameLog &log, bool fast,
                                     QObject *parent)
    : QObject(parent), matcher(matcher), log(log), fast(fast), socket(this)
{
    connect(&socket, &QUdpSocket::readyRead, this, &ReplayUdpFrontEnd::ReadPending);
}

bool ReplayUdpFrontEnd::Open(const QHostAddress &address, quint16 port, QString *error)
{
    return BindLoopback(socket, address, port, error);
}

void ReplayUdpFrontEnd::ReadPending()
{
    while (socket.hasPendingDatagrams()) {
        const QNetworkDatagram datagram = socket.receiveDatagram();
        const QHostAddress to = datagram.senderAddress();
        const quint16 port = quint16(datagram.senderPort());
        if (!IsLoopbackV4(to)) {
            qCWarning(lcSim) << "ignoring a datagram from" << to.toString();
            continue;
        }
        const QByteArray bytes = datagram.data();
        const QByteArray frame = bytes.mid(PacketHeader::kSize);
        PacketHeader header;
        if (PacketHeader::Decode(bytes, &header) && header.type == PacketHeader::kFrameType)
            log.Append(frame);
        for (const ReplayReply &reply : matcher.Answer(frame, bytes))
            Send(reply, to, port);
    }
}

// Each reply at its recorded delay after the command, in the recorded order.
void ReplayUdpFrontEnd::Send(const ReplayReply &reply, const QHostAddress &to, quint16 port)
{
    const QByteArray out = reply.datagram.isEmpty()
                               ? PacketHeader::Wrap(PacketHeader::kFrameType, reply.frame)
                               : reply.datagram;
    // A recording's time may claim years between two lines; a timer counts
    // milliseconds in an int, and any such reply is as good as never sent.
    const int delayMs =
        fast ? 0 : int(std::min<qint64>(reply.delayUs / 1000, std::numeric_limits<int>::max()));
    if (delayMs == 0) {
        socket.writeDatagram(out, to, port);
        return;
    }
    QTimer::singleShot(delayMs, Qt::PreciseTimer, this,
                       [this, out, to, port] { socket.writeDatagram(out, to, port); });
}

} // namespace xrsim
