// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wire/frame.h"

namespace xrsim {

class RecorderModel;

// One front-panel key; the reply carries the display line it leaves.
Frame FrontPanelKey(RecorderModel &model, const Frame &frame);

} // namespace xrsim
