// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wire/frame.h"

namespace xrsim {

class RecorderModel;

// 0x00 0x11: answered with 0x12 0x11 and the two bytes of the device type.
Frame DeviceTypeRequest(RecorderModel &model, const Frame &frame);

} // namespace xrsim
