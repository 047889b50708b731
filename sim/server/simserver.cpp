#include "server/simserver.h"

#include "server/ptyfrontend.h"
#include "server/udpfrontend.h"

namespace xrsim {

SimServer::SimServer(const SimConfig &config, const SimClock &clock, FrameLog &log,
                     FaultInjector &faults)
    : m_config(config), m_faults(faults), m_model(config.scenario, clock),
      m_session(m_model, log, faults)
{}

SimServer::~SimServer() = default;

bool SimServer::open(QString *error)
{
    if (m_config.udp) {
        m_udp = std::make_unique<UdpFrontEnd>(m_session, m_faults);
        if (!m_udp->open(m_config.address, m_config.port, error))
            return false;
    }
    if (m_config.pty) {
        m_pty = std::make_unique<PtyFrontEnd>(m_session, m_faults);
        if (!m_pty->open(error))
            return false;
    }
    return true;
}

QString SimServer::ptyPath() const
{
    return m_pty ? m_pty->slavePath() : QString();
}

} // namespace xrsim
