// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/audiometer.h"

#include <cmath>

namespace xrsim {

namespace {
constexpr int kChannels = 8;

int Level(qint64 nowMs, int channel)
{
    // Each channel swings between 2 and 14 at a pace of its own.
    const double phase = double(nowMs) / (140.0 + 23.0 * channel) + channel;
    return int(std::lround(8.0 + 6.0 * std::sin(phase)));
}
} // namespace

QByteArray AudioLevels(qint64 nowMs, bool sounding, int tracks)
{
    QByteArray bytes(kChannels / 2, '\0');
    for (int channel = 0; channel < kChannels && sounding && channel < tracks; ++channel) {
        const int shift = channel % 2 == 0 ? 4 : 0;
        bytes[channel / 2] = char(bytes.at(channel / 2) | Level(nowMs, channel) << shift);
    }
    return bytes;
}

} // namespace xrsim
