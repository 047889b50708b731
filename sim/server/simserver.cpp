// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/simserver.h"

#include "server/ptyfrontend.h"
#include "server/udpfrontend.h"

namespace xrsim {

SimServer::SimServer(const SimConfig &config, const SimClock &clock, FrameLog &log,
                     FaultInjector &faults, TruthLog &truth)
    : config(config), faults(faults), truth(truth), model(config.scenario, clock),
      session(model, log, faults)
{}

SimServer::~SimServer() = default;

bool SimServer::Open(QString *error)
{
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

} // namespace xrsim
