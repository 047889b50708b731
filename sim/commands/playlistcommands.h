// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wire/frame.h"

namespace xrsim {

class RecorderModel;

// The recorder's playlist of linked segments. The Pellet has none.
// Four BCD bytes: segment a, then b, which plays after a (0: no link).
Frame EventPairPreset(RecorderModel &model, const Frame &frame);
// Four bytes: the first segment of the list (BCD), two zero bytes.
Frame PlaylistStart(RecorderModel &model, const Frame &frame);
// The segment playing now, two BCD bytes.
Frame CurrentEventSense(RecorderModel &model, const Frame &frame);
Frame AckEventChange(RecorderModel &model, const Frame &frame);
Frame AckPlaylistChange(RecorderModel &model, const Frame &frame);

} // namespace xrsim
