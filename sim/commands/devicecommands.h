// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wire/frame.h"

namespace xrsim {

class RecorderModel;

// The disk name: up to fifteen characters, no terminator.
Frame DiskNameSense(RecorderModel &model, const Frame &frame);
Frame SetDiskName(RecorderModel &model, const Frame &frame);
// 0 the recorder side, 1 the player side (when the channel mode has one).
Frame RecorderPlayerSelect(RecorderModel &model, const Frame &frame);
// Sent before a page read; the recorder has its pages ready at all times.
Frame SetupRefresh(RecorderModel &model, const Frame &frame);
// The page number, then the page's fourteen bytes.
Frame SetupPageRead(RecorderModel &model, const Frame &frame);
// The page number, then up to fourteen bytes from the page's start.
Frame SetupPageWrite(RecorderModel &model, const Frame &frame);
Frame SetupPageApply(RecorderModel &model, const Frame &frame);

} // namespace xrsim
