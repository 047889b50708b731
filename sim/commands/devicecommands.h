#pragma once

#include "wire/frame.h"

namespace xrsim {

class RecorderModel;

// The disk name: up to fifteen characters, no terminator.
Frame diskNameSense(RecorderModel &model, const Frame &frame);
Frame setDiskName(RecorderModel &model, const Frame &frame);
// 0 the recorder side, 1 the player side (when the channel mode has one).
Frame recorderPlayerSelect(RecorderModel &model, const Frame &frame);
// Sent before a page read; the recorder has its pages ready at all times.
Frame setupRefresh(RecorderModel &model, const Frame &frame);
// The page number, then the page's fourteen bytes.
Frame setupPageRead(RecorderModel &model, const Frame &frame);
// The page number, then up to fourteen bytes from the page's start.
Frame setupPageWrite(RecorderModel &model, const Frame &frame);
Frame setupPageApply(RecorderModel &model, const Frame &frame);

} // namespace xrsim
