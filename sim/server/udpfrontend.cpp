// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/udpfrontend.h"

#include "server/faultinjector.h"
#include "server/loopback.h"
#include "server/recordersession.h"
#include "server/serialline.h"
#include "server/simlog.h"
#include "server/truthlog.h"
#include "wire/frame.h"
#include "wire/packetheader.h"

#include <QNetworkDatagram>
#include <QTimer>

namespace xrsim {

UdpFrontEnd::UdpFrontEnd(RecorderSession &session, FaultInjector &faults, TruthLog &truth,
                         QObject *parent)
    : QObject(parent), session(session), faults(faults), truth(truth), socket(this)
{
    connect(&socket, &QUdpSocket::readyRead, this, &UdpFrontEnd::ReadPending);
}

bool UdpFrontEnd::Open(const QHostAddress &address, quint16 port, QString *error)
{
    return BindLoopback(socket, address, port, error);
}

void UdpFrontEnd::ReadPending()
{
    while (socket.hasPendingDatagrams())
        TakeDatagram(socket.receiveDatagram());
}

void UdpFrontEnd::TakeDatagram(const QNetworkDatagram &datagram)
{
    const QByteArray bytes = datagram.data();
    const QHostAddress sender = datagram.senderAddress();
    if (!IsLoopbackV4(sender)) {
        qCWarning(lcSim) << "ignoring a datagram from" << sender.toString();
        return;
    }
    PacketHeader header;
    if (!PacketHeader::Decode(bytes, &header)) {
        qCInfo(lcSim) << "datagram shorter than a header:" << bytes.toHex(' ');
        return;
    }
    const QByteArray payload = bytes.mid(PacketHeader::kSize);
    if (header.length != payload.size()) {
        qCInfo(lcSim) << "header announces" << header.length << "bytes, datagram carries"
                      << payload.size();
        return;
    }
    if (header.type == PacketHeader::kBlockType) {
        TakeBlockRequest(header, sender, quint16(datagram.senderPort()));
        return;
    }
    if (header.type != PacketHeader::kFrameType) {
        qCInfo(lcSim) << "datagram of unknown type" << header.type;
        return;
    }
    TakeFrame(payload, sender, quint16(datagram.senderPort()));
}

void UdpFrontEnd::TakeFrame(const QByteArray &payload, const QHostAddress &to, quint16 port)
{
    // A datagram is all the recorder will get of a frame: one that is cut
    // short can never be completed, so it is dropped unanswered.
    if (payload.isEmpty() || payload.size() < Frame::LengthFor(quint8(payload.at(0)))) {
        qCInfo(lcSim) << "incomplete frame:" << payload.toHex(' ');
        return;
    }
    const int length = Frame::LengthFor(quint8(payload.at(0)));
    if (payload.size() > length)
        qCInfo(lcSim) << "ignoring" << payload.size() - length << "bytes after the frame";
    const QByteArray frame = payload.left(length);
    const QByteArray answer = session.Answer(frame);
    const quint32 truthNumber = truth.Answered(frame, answer, LineNowNs());
    if (!answer.isEmpty())
        Reply(answer, to, port, truthNumber);
}

void UdpFrontEnd::TakeBlockRequest(const PacketHeader &header, const QHostAddress &to, quint16 port)
{
    // Block replies go out as they are: the reply faults act on frames.
    const QByteArray block = session.AnswerBlock(header.word2);
    if (!block.isEmpty())
        socket.writeDatagram(block, to, port);
}

void UdpFrontEnd::Reply(const QByteArray &frame, const QHostAddress &to, quint16 port,
                        quint32 truthNumber)
{
    const ReplyPlan plan = faults.TakeReplyPlan(Line::Datagram);
    truth.Sent(truthNumber, plan);
    if (plan.drop) {
        qCDebug(lcSim) << "dropping reply" << frame.toHex(' ');
        return;
    }
    const QByteArray datagram =
        PacketHeader::Wrap(PacketHeader::kFrameType, plan.Shape(frame), truthNumber);
    const auto deliver = [this, plan, datagram, to, port] {
        if (plan.stray)
            SendStray(*plan.stray, to, port);
        socket.writeDatagram(datagram, to, port);
    };
    if (plan.delayMs > 0)
        QTimer::singleShot(plan.delayMs, this, deliver);
    else
        deliver();
    if (plan.duplicateAfterMs >= 0) {
        QTimer::singleShot(plan.delayMs + plan.duplicateAfterMs, this, [this, datagram, to, port] {
            socket.writeDatagram(datagram, to, port);
        });
    }
}

void UdpFrontEnd::SendStray(const StrayFrame &stray, const QHostAddress &to, quint16 port)
{
    if (!IsLoopbackV4(stray.from)) {
        qCWarning(lcSim) << "stray address" << stray.from.toString() << "is not loopback";
        return;
    }
    // From the recorder's own port if that address has it free, else from
    // any port: what matters is that the sender is not the recorder.
    QUdpSocket socket;
    if (!socket.bind(stray.from, this->socket.localPort()) && !socket.bind(stray.from, 0)) {
        qCWarning(lcSim) << "cannot bind stray address" << stray.from.toString();
        return;
    }
    socket.writeDatagram(PacketHeader::Wrap(PacketHeader::kFrameType, stray.frame), to, port);
}

} // namespace xrsim
