#pragma once

#include "model/videostandard.h"
#include "scenario.h"

#include <QtGlobal>

namespace xrsim {

// The simulated recorder's state. It lives on the simulator's own thread;
// the command handlers read and change it one frame at a time.
class RecorderModel
{
public:
    explicit RecorderModel(const Scenario &scenario);

    const Scenario &scenario() const { return m_scenario; }
    const VideoStandard &standard() const;
    // The device type word: bit 0 of its high byte marks a 50 Hz recorder.
    quint16 deviceType() const;

private:
    Scenario m_scenario;
};

} // namespace xrsim
