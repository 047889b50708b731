// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>

namespace xrsim {

class FrameLog;
class ReplayMatcher;
struct ReplayReply;

// The recorder's Ethernet side in a replay: every datagram the application
// sends is answered with what the recording holds for it, with the
// recorded delays or, `fast`, at once. Recorded datagrams go back as they
// were recorded; a recording from a serial line has its frames put behind
// a frame header.
class ReplayUdpFrontEnd : public QObject
{
    Q_OBJECT
public:
    ReplayUdpFrontEnd(ReplayMatcher &matcher, FrameLog &log, bool fast, QObject *parent = nullptr);

    bool Open(const QHostAddress &address, quint16 port, QString *error);

private:
    void ReadPending();
    void Send(const ReplayReply &reply, const QHostAddress &to, quint16 port);

    ReplayMatcher &matcher;
    FrameLog &log;
    bool fast;
    QUdpSocket socket;
};

} // namespace xrsim
