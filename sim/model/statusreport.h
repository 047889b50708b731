// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace xrsim {

class RecorderModel;

// The ten status bytes of the selected side, bit 0 the least significant:
//   0: bit 0 local control, bit 4 plain (not option) play, bit 5 the display
//      changed on its own (a format runs or has just ended, a menu timed
//      out)
//   1: bit 0 play, bit 1 record (with play), bit 2 fast forward, bit 3
//      rewind, bit 5 stop
//   2: bit 0 cue-up complete, bit 1 still, bit 2 reverse, bit 3 variable
//      speed, bit 4 jog, bit 5 shuttle family (shuttle, jog, variable)
//   4: bit 5 select E-E, bit 6 full E-E, bit 7 edit on
//   6: bit 2 LTC on
//   7: the tracks of the armed edit preset (0 when none is armed)
//   8: bit 0 the player side is selected
//   9: bit 1 playlist change, bit 6 playlist event change
QByteArray StatusBytes(RecorderModel &model);

} // namespace xrsim
