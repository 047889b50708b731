// SPDX-License-Identifier: GPL-3.0-or-later
#include "udpprobe.h"

UdpProbe::UdpProbe(const QHostAddress &recorder, quint16 port) : m_recorder(recorder), m_port(port)
{
    m_socket.bind(QHostAddress(QStringLiteral("127.0.0.1")), 0);
}

QByteArray UdpProbe::header(quint16 type, quint16 length, quint16 word2)
{
    QByteArray bytes(10, '\0');
    const quint16 words[] = {type, length, word2};
    for (int i = 0; i < 3; ++i) {
        bytes[2 * i] = char(words[i] >> 8);
        bytes[2 * i + 1] = char(words[i] & 0xFF);
    }
    return bytes;
}

void UdpProbe::sendRaw(const QByteArray &datagram)
{
    m_socket.writeDatagram(datagram, m_recorder, m_port);
}

void UdpProbe::sendFrame(const QByteArray &frame)
{
    sendRaw(header(1, quint16(frame.size())) + frame);
}

QNetworkDatagram UdpProbe::receive(int timeoutMs)
{
    if (!m_socket.hasPendingDatagrams() && !m_socket.waitForReadyRead(timeoutMs))
        return {};
    return m_socket.receiveDatagram();
}

QByteArray UdpProbe::exchange(const QByteArray &frame, int timeoutMs)
{
    sendFrame(frame);
    const QNetworkDatagram datagram = receive(timeoutMs);
    return datagram.isValid() ? datagram.data().mid(10) : QByteArray();
}

QByteArray UdpProbe::ask(const char *hexWithoutChecksum, int timeoutMs)
{
    QByteArray frame = hex(hexWithoutChecksum);
    char sum = 0;
    for (const char byte : frame)
        sum = char(sum + byte);
    const QByteArray reply = exchange(frame + sum, timeoutMs);
    if (reply.isEmpty())
        return reply;
    char replySum = 0;
    for (const char byte : reply.chopped(1))
        replySum = char(replySum + byte);
    return replySum == reply.back() ? reply.chopped(1) : QByteArray("bad checksum");
}

QByteArray UdpProbe::requestBlock(quint16 requestCode, int timeoutMs)
{
    sendRaw(header(3, 0, requestCode));
    return receive(timeoutMs).data();
}

bool UdpProbe::staysQuiet(int ms)
{
    return !receive(ms).isValid();
}
