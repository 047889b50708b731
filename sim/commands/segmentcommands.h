// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wire/frame.h"

namespace xrsim {

class RecorderModel;

// Segments 1-2045, numbered by two BCD bytes. The Pellet has none.
// Made from the in and out points marked on the selected side.
Frame CreateSegment(RecorderModel &model, const Frame &frame);
// In and out positions (32-bit big-endian), then two BCD numbers.
Frame SegmentInfoSense(RecorderModel &model, const Frame &frame);
// The eight-byte name of the file the segment was cut from, "XXXXXXXX"
// when it was cut with no file loaded.
Frame SegmentSourceSense(RecorderModel &model, const Frame &frame);
Frame DeleteSegment(RecorderModel &model, const Frame &frame);
// Data 0x40 0x00 0x01 and the number: plays the segment to its out point,
// then on along the playlist's links.
Frame PlaySegment(RecorderModel &model, const Frame &frame);

} // namespace xrsim
