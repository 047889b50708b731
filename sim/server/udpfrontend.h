#pragma once

#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>

class QNetworkDatagram;

namespace xrsim {

class FaultInjector;
class RecorderSession;
struct PacketHeader;
struct StrayFrame;

// The recorder's Ethernet side: one UDP socket on a loopback address. Each
// datagram holds a 10-byte header and one 9-pin frame; the reply goes back
// from this socket to the sender, behind a type-1 header. A type-3 block
// request is answered with a block.
class UdpFrontEnd : public QObject
{
    Q_OBJECT
public:
    UdpFrontEnd(RecorderSession &session, FaultInjector &faults, QObject *parent = nullptr);

    bool open(const QHostAddress &address, quint16 port, QString *error);

private:
    void readPending();
    void takeDatagram(const QNetworkDatagram &datagram);
    void takeBlockRequest(const PacketHeader &header, const QHostAddress &to, quint16 port);
    void takeFrame(const QByteArray &payload, const QHostAddress &to, quint16 port);
    void reply(const QByteArray &frame, const QHostAddress &to, quint16 port);
    void sendStray(const StrayFrame &stray, const QHostAddress &to, quint16 port);

    RecorderSession &m_session;
    FaultInjector &m_faults;
    QUdpSocket m_socket;
};

} // namespace xrsim
