// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wire/frame.h"

namespace xrsim {

class RecorderModel;

// Group 4 presets of the selected side.
Frame InEntry(RecorderModel &model, const Frame &frame);
Frame OutEntry(RecorderModel &model, const Frame &frame);
// One byte naming the tracks an edit records (0: none armed); status byte 7
// reports it, but this recorder always records every track.
Frame EditPreset(RecorderModel &model, const Frame &frame);
// Four time bytes: the timecode that the present position takes.
Frame TimecodePreset(RecorderModel &model, const Frame &frame);
// 1 shows the timer, 0 the timecode (also 2 VITC, 3 timer as LTC).
Frame TimerModeSelect(RecorderModel &model, const Frame &frame);

} // namespace xrsim
