// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/simserver.h"

#include "replay/replaymatcher.h"
#include "replay/replayudpfrontend.h"
#include "server/ptyfrontend.h"
#include "server/udpfrontend.h"

namespace xrsim {

SimServer::SimServer(const SimConfig &config, const SimClock &clock, FrameLog &log,
                     FaultInjector &faults, TruthLog &truth)
    : config(config), log(log), faults(faults), truth(truth), model(config.scenario, clock),
      session(model, log, faults)
{}

SimServer::~SimServer() = default;

bool SimServer::Open(QString *error)
{
    if (!config.replayFile.isEmpty())
        return OpenReplay(error);
    if (config.udp) {
        udp = std::make_unique<UdpFrontEnd>(session, faults, truth);
        if (!udp->Open(config.address, config.port, error))
            return false;
    }
    if (config.pty) {
        pty = std::make_unique<PtyFrontEnd>(session, faults, truth);
        if (!pty->Open(error))
            return false;
    }
    return true;
}

QString SimServer::PtyPath() const
{
    return pty ? pty->SlavePath() : QString();
}

QStringList SimServer::ReplayDepartures() const
{
    return replay ? replay->Departures() : QStringList();
}

// A replay answers from the recording alone, on UDP; the recorder model
// stays idle.
bool SimServer::OpenReplay(QString *error)
{
    if (config.pty) {
        *error = QStringLiteral("a replay is served on UDP only");
        return false;
    }
    ReplayScript script;
    if (!script.Load(config.replayFile, config.replayRecorder, error)) {
        *error = QStringLiteral("%1: %2").arg(config.replayFile, *error);
        return false;
    }
    replay = std::make_unique<ReplayMatcher>(std::move(script));
    replayUdp = std::make_unique<ReplayUdpFrontEnd>(*replay, log, config.replayFast);
    return replayUdp->Open(config.address, config.port, error);
}

} // namespace xrsim
