#pragma once

#include "wire/frame.h"

namespace xrsim {

class RecorderModel;

// The recorder's playlist of linked segments. The Pellet has none.
// Four BCD bytes: segment a, then b, which plays after a (0: no link).
Frame eventPairPreset(RecorderModel &model, const Frame &frame);
// Four bytes: the first segment of the list (BCD), two zero bytes.
Frame playlistStart(RecorderModel &model, const Frame &frame);
// The segment playing now, two BCD bytes.
Frame currentEventSense(RecorderModel &model, const Frame &frame);
Frame ackEventChange(RecorderModel &model, const Frame &frame);
Frame ackPlaylistChange(RecorderModel &model, const Frame &frame);

} // namespace xrsim
