// SPDX-License-Identifier: GPL-3.0-or-later
#include "audiolevels.h"

AudioLevels AudioLevelChannels(const AudioLevelBytes &bytes)
{
    AudioLevels channels{};
    for (std::size_t k = 0; k < bytes.size(); ++k) {
        channels[2 * k] = bytes[k] >> 4;
        channels[2 * k + 1] = bytes[k] & 0x0F;
    }
    return channels;
}

void HoldAudioPeaks(AudioLevels &peaks, const AudioLevelBytes &bytes)
{
    const AudioLevels channels = AudioLevelChannels(bytes);
    for (std::size_t i = 0; i < peaks.size(); ++i) {
        if (peaks[i] > 0)
            --peaks[i];
        if (channels[i] > peaks[i])
            peaks[i] = channels[i];
    }
}
