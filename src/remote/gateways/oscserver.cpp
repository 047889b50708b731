// SPDX-License-Identifier: GPL-3.0-or-later
#include "oscserver.h"

#include <QDateTime>
#include <QNetworkDatagram>
#include <QTimer>

namespace {

constexpr qint64 kReportEveryMs = 60 * 1000;
constexpr int kReportedKept = 256;

} // namespace

OscServer::OscServer(QObject *parent) : QObject(parent)
{
    connect(&socket, &QUdpSocket::readyRead, this, &OscServer::ReadBatch);
}

bool OscServer::Listen(const QHostAddress &address, quint16 port, QString &error)
{
    Close();
    if (socket.bind(address, port))
        return true;
    error = socket.errorString();
    return false;
}

void OscServer::Close()
{
    socket.close();
}

void OscServer::Send(const QHostAddress &host, quint16 port, const OscMessage &message)
{
    const QByteArray datagram = EncodeOsc(message);
    if (Listening() && !datagram.isEmpty())
        socket.writeDatagram(datagram, host, port);
}

void OscServer::ReadBatch()
{
    batchScheduled = false;
    for (int count = 0; count < kBatch && socket.hasPendingDatagrams(); ++count) {
        const QNetworkDatagram datagram = socket.receiveDatagram(kMaxDatagram + 1);
        const QHostAddress host = datagram.senderAddress();
        const quint16 port = quint16(datagram.senderPort());
        if (!peers.Allows(host)) {
            Report(host, port, QStringLiteral("refused: its address is not allowed"));
            continue;
        }
        OscMessage message;
        if (datagram.data().size() > kMaxDatagram || !DecodeOsc(datagram.data(), message)) {
            Report(host, port, QStringLiteral("dropped: not an OSC message"));
            continue;
        }
        emit Received(message, host, port);
        if (!Listening())
            return;
    }
    if (socket.hasPendingDatagrams() && !batchScheduled) {
        batchScheduled = true;
        QTimer::singleShot(0, this, &OscServer::ReadBatch);
    }
}

void OscServer::Report(const QHostAddress &host, quint16 port, const QString &reason)
{
    const QString key = host.toString() + QLatin1Char(' ') + reason;
    const qint64 now = QDateTime::currentMSecsSinceEpoch();
    const auto last = reported.constFind(key);
    if (last != reported.constEnd() && now - last.value() < kReportEveryMs)
        return;
    if (reported.size() >= kReportedKept)
        reported.clear();
    reported.insert(key, now);
    emit Refused(host.toString() + QLatin1Char(':') + QString::number(port), reason);
}
