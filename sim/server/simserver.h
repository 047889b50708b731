// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/recordermodel.h"
#include "server/recordersession.h"
#include "simconfig.h"

#include <QObject>

#include <memory>

namespace xrsim {

class FaultInjector;
class FrameLog;
class SimClock;
class PtyFrontEnd;
class ReplayMatcher;
class ReplayUdpFrontEnd;
class TruthLog;
class UdpFrontEnd;

// The recorder with its front ends. Created and opened on the simulator's
// thread, so that its sockets belong to that thread's event loop.
class SimServer : public QObject
{
    Q_OBJECT
public:
    SimServer(const SimConfig &config, const SimClock &clock, FrameLog &log, FaultInjector &faults,
              TruthLog &truth);
    ~SimServer() override;

    bool Open(QString *error);
    QString PtyPath() const;
    // What the replay noticed so far; empty without one. Any thread.
    QStringList ReplayDepartures() const;

private:
    bool OpenReplay(QString *error);

    SimConfig config;
    FrameLog &log;
    FaultInjector &faults;
    TruthLog &truth;
    RecorderModel model;
    RecorderSession session;
    std::unique_ptr<UdpFrontEnd> udp;
    std::unique_ptr<PtyFrontEnd> pty;
    std::unique_ptr<ReplayMatcher> replay;
    std::unique_ptr<ReplayUdpFrontEnd> replayUdp;
};

} // namespace xrsim
