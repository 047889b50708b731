// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QUdpSocket>

// A bare UDP client standing in for the application: frames and headers are
// written by hand, replies read back as they arrive.
class UdpProbe
{
public:
    explicit UdpProbe(const QHostAddress &recorder, quint16 port = 32896);

    // Frames in tests are written as hex text: "20 01 21".
    static QByteArray hex(const char *text) { return QByteArray::fromHex(text); }
    // A 10-byte header: type, length and three more big-endian words.
    static QByteArray header(quint16 type, quint16 length, quint16 word2 = 0);

    void sendRaw(const QByteArray &datagram);
    void sendFrame(const QByteArray &frame);
    // The next datagram within timeoutMs; a null datagram on timeout.
    QNetworkDatagram receive(int timeoutMs = 500);
    // The bare reply (header stripped) to one frame, empty on timeout.
    QByteArray exchange(const QByteArray &frame, int timeoutMs = 500);
    // Sends a frame written without its checksum (the probe adds it) and
    // returns the reply without its checksum: "bad checksum" when that does
    // not match, empty on timeout.
    QByteArray ask(const char *hexWithoutChecksum, int timeoutMs = 500);
    // The whole datagram answering a type-3 block request, empty on timeout.
    QByteArray requestBlock(quint16 requestCode, int timeoutMs = 500);
    // True when nothing arrives for ms milliseconds.
    bool staysQuiet(int ms);

private:
    QUdpSocket m_socket;
    QHostAddress m_recorder;
    quint16 m_port;
};
