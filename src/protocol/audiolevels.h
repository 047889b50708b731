// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <array>

// The recorder reports eight audio levels of 0-15 in four bytes: byte k holds
// channel 2k + 1 in its high nibble and channel 2k + 2 in its low nibble.
using AudioLevelBytes = std::array<quint8, 4>;
using AudioLevels = std::array<quint8, 8>;

AudioLevels AudioLevelChannels(const AudioLevelBytes &bytes);

// The meters' peak hold, run on every successful level read: each held value
// first falls by one step (not below 0), then rises to the new reading where
// that is higher. A level that stops rising thus falls one step per poll.
void HoldAudioPeaks(AudioLevels &peaks, const AudioLevelBytes &bytes);
