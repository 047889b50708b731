#include "server/udpfrontend.h"

#include "server/faultinjector.h"
#include "server/loopback.h"
#include "server/recordersession.h"
#include "server/simlog.h"
#include "wire/frame.h"
#include "wire/packetheader.h"

#include <QNetworkDatagram>
#include <QTimer>

namespace xrsim {

UdpFrontEnd::UdpFrontEnd(RecorderSession &session, FaultInjector &faults, QObject *parent)
    : QObject(parent), m_session(session), m_faults(faults), m_socket(this)
{
    connect(&m_socket, &QUdpSocket::readyRead, this, &UdpFrontEnd::readPending);
}

bool UdpFrontEnd::open(const QHostAddress &address, quint16 port, QString *error)
{
    if (!isLoopbackV4(address)) {
        *error = QStringLiteral("%1 is not a loopback address").arg(address.toString());
        return false;
    }
    if (!m_socket.bind(address, port, QAbstractSocket::DontShareAddress)) {
        *error = QStringLiteral("cannot bind %1:%2: %3")
                     .arg(address.toString())
                     .arg(port)
                     .arg(m_socket.errorString());
        return false;
    }
    return true;
}

void UdpFrontEnd::readPending()
{
    while (m_socket.hasPendingDatagrams())
        takeDatagram(m_socket.receiveDatagram());
}

void UdpFrontEnd::takeDatagram(const QNetworkDatagram &datagram)
{
    const QByteArray bytes = datagram.data();
    const QHostAddress sender = datagram.senderAddress();
    if (!isLoopbackV4(sender)) {
        qCWarning(lcSim) << "ignoring a datagram from" << sender.toString();
        return;
    }
    PacketHeader header;
    if (!PacketHeader::decode(bytes, &header)) {
        qCInfo(lcSim) << "datagram shorter than a header:" << bytes.toHex(' ');
        return;
    }
    const QByteArray payload = bytes.mid(PacketHeader::Size);
    if (header.length != payload.size()) {
        qCInfo(lcSim) << "header announces" << header.length << "bytes, datagram carries"
                      << payload.size();
        return;
    }
    if (header.type == PacketHeader::BlockType) {
        takeBlockRequest(header, sender, quint16(datagram.senderPort()));
        return;
    }
    if (header.type != PacketHeader::FrameType) {
        qCInfo(lcSim) << "datagram of unknown type" << header.type;
        return;
    }
    takeFrame(payload, sender, quint16(datagram.senderPort()));
}

void UdpFrontEnd::takeFrame(const QByteArray &payload, const QHostAddress &to, quint16 port)
{
    // A datagram is all the recorder will get of a frame: one that is cut
    // short can never be completed, so it is dropped unanswered.
    if (payload.isEmpty() || payload.size() < Frame::lengthFor(quint8(payload.at(0)))) {
        qCInfo(lcSim) << "incomplete frame:" << payload.toHex(' ');
        return;
    }
    const int length = Frame::lengthFor(quint8(payload.at(0)));
    if (payload.size() > length)
        qCInfo(lcSim) << "ignoring" << payload.size() - length << "bytes after the frame";
    const QByteArray answer = m_session.answer(payload.left(length));
    if (!answer.isEmpty())
        reply(answer, to, port);
}

void UdpFrontEnd::takeBlockRequest(const PacketHeader &header, const QHostAddress &to, quint16 port)
{
    // Block replies go out as they are: the reply faults act on frames.
    const QByteArray block = m_session.answerBlock(header.word2);
    if (!block.isEmpty())
        m_socket.writeDatagram(block, to, port);
}

void UdpFrontEnd::reply(const QByteArray &frame, const QHostAddress &to, quint16 port)
{
    const ReplyPlan plan = m_faults.takeReplyPlan();
    if (plan.drop) {
        qCDebug(lcSim) << "dropping reply" << frame.toHex(' ');
        return;
    }
    const auto deliver = [this, plan, frame, to, port] {
        if (plan.stray)
            sendStray(*plan.stray, to, port);
        m_socket.writeDatagram(PacketHeader::wrap(PacketHeader::FrameType, plan.shape(frame)), to,
                               port);
    };
    if (plan.delayMs > 0)
        QTimer::singleShot(plan.delayMs, this, deliver);
    else
        deliver();
    if (plan.duplicateAfterMs >= 0) {
        const QByteArray copy = PacketHeader::wrap(PacketHeader::FrameType, plan.shape(frame));
        QTimer::singleShot(plan.delayMs + plan.duplicateAfterMs, this,
                           [this, copy, to, port] { m_socket.writeDatagram(copy, to, port); });
    }
}

void UdpFrontEnd::sendStray(const StrayFrame &stray, const QHostAddress &to, quint16 port)
{
    if (!isLoopbackV4(stray.from)) {
        qCWarning(lcSim) << "stray address" << stray.from.toString() << "is not loopback";
        return;
    }
    // From the recorder's own port if that address has it free, else from
    // any port: what matters is that the sender is not the recorder.
    QUdpSocket socket;
    if (!socket.bind(stray.from, m_socket.localPort()) && !socket.bind(stray.from, 0)) {
        qCWarning(lcSim) << "cannot bind stray address" << stray.from.toString();
        return;
    }
    socket.writeDatagram(PacketHeader::wrap(PacketHeader::FrameType, stray.frame), to, port);
}

} // namespace xrsim
