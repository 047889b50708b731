#include "model/audiometer.h"

#include <cmath>

namespace xrsim {

namespace {
constexpr int Channels = 8;

int level(qint64 nowMs, int channel)
{
    // Each channel swings between 2 and 14 at a pace of its own.
    const double phase = double(nowMs) / (140.0 + 23.0 * channel) + channel;
    return int(std::lround(8.0 + 6.0 * std::sin(phase)));
}
} // namespace

QByteArray audioLevels(qint64 nowMs, bool sounding, int tracks)
{
    QByteArray bytes(Channels / 2, '\0');
    for (int channel = 0; channel < Channels && sounding && channel < tracks; ++channel) {
        const int shift = channel % 2 == 0 ? 4 : 0;
        bytes[channel / 2] = char(bytes.at(channel / 2) | level(nowMs, channel) << shift);
    }
    return bytes;
}

} // namespace xrsim
