// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wire/frame.h"

namespace xrsim {

class RecorderModel;

// Group 6 requests about the transport, answered in group 7.
Frame TimerModeSense(RecorderModel &model, const Frame &frame);
// Data bit 2 asks for the timer (answered 0x74 0x00), bits 0-1 for the
// timecode: LTC (0x74 0x04), or VITC (0x74 0x06) in the VITC time mode or
// with LTC off.
Frame CurrentTimeSense(RecorderModel &model, const Frame &frame);
// Data: first status byte in the high nibble, count in the low nibble.
Frame StatusSense(RecorderModel &model, const Frame &frame);
// Levels of the material that plays or records, or of the input in E-E.
Frame AudioLevelSense(RecorderModel &model, const Frame &frame);
// The version text, NUL-terminated when shorter than fifteen bytes.
Frame VersionSense(RecorderModel &model, const Frame &frame);

} // namespace xrsim
