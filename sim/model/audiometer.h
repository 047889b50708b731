// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace xrsim {

// The eight audio level meters (0-15), two to a byte, the odd channel in the
// high nibble. While material plays or records the levels move with the
// programme; silent tracks and a stopped transport read zero.
QByteArray AudioLevels(qint64 nowMs, bool sounding, int tracks);

} // namespace xrsim
