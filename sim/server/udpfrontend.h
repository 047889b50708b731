// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>

class QNetworkDatagram;

namespace xrsim {

class FaultInjector;
class RecorderSession;
class TruthLog;
struct PacketHeader;
struct StrayFrame;

// The recorder's Ethernet side: one UDP socket on a loopback address. Each
// datagram holds a 10-byte header and one 9-pin frame; the reply goes back
// from this socket to the sender, behind a type-1 header. A type-3 block
// request is answered with a block. While the truth log is on, a reply's
// header carries the reply's number in its last two words (which clients
// send and take as zero), so that a soak test can tell which reply a client
// took for which command.
class UdpFrontEnd : public QObject
{
    Q_OBJECT
public:
    UdpFrontEnd(RecorderSession &session, FaultInjector &faults, TruthLog &truth,
                QObject *parent = nullptr);

    bool Open(const QHostAddress &address, quint16 port, QString *error);

private:
    void ReadPending();
    void TakeDatagram(const QNetworkDatagram &datagram);
    void TakeBlockRequest(const PacketHeader &header, const QHostAddress &to, quint16 port);
    void TakeFrame(const QByteArray &payload, const QHostAddress &to, quint16 port);
    void Reply(const QByteArray &frame, const QHostAddress &to, quint16 port, quint32 truthNumber);
    void SendStray(const StrayFrame &stray, const QHostAddress &to, quint16 port);

    RecorderSession &session;
    FaultInjector &faults;
    TruthLog &truth;
    QUdpSocket socket;
};

} // namespace xrsim
