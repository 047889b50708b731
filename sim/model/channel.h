// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/transport.h"

#include <QByteArray>

#include <optional>

namespace xrsim {

// One side of the recorder (the recording side or the player side): its
// transport, the file it has loaded, the segment it plays and the in and
// out points marked on it.
struct Channel
{
    Transport transport;
    QByteArray loadedFile;
    int playingSegment = 0;
    std::optional<qint64> markIn;
    std::optional<qint64> markOut;
};

} // namespace xrsim
