#include "model/recordermodel.h"

namespace xrsim {

namespace {
// The recorder family answers with 0x20 0x50; a 625-line machine sets bit 0
// of the high byte.
constexpr quint16 DeviceTypeBase = 0x2050;
constexpr quint16 FiftyHzBit = 0x0100;
} // namespace

RecorderModel::RecorderModel(const Scenario &scenario) : m_scenario(scenario) {}

const VideoStandard &RecorderModel::standard() const
{
    return VideoStandard::byCode(m_scenario.videoStandard);
}

quint16 RecorderModel::deviceType() const
{
    return standard().fiftyHz() ? DeviceTypeBase | FiftyHzBit : DeviceTypeBase;
}

} // namespace xrsim
