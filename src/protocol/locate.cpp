// SPDX-License-Identifier: GPL-3.0-or-later
#include "locate.h"

#include "recorderstate.h"
#include "timecode.h"
#include "transportcommands.h"
#include "videostandard.h"

#include "devices/devicelists.h"
#include "devices/devicerecord.h"

namespace {

// HHMMSSFF and its terminator.
constexpr std::size_t kBareTimecodeSize = 9;

} // namespace

// The position is turned into the timecode the recorder shows for it (its
// frame rate, drop-frame count and field divisor) and cued as field 1. The
// timecode form reaches only 48 hours; beyond that the recorder is cued by
// frame number.
void LocateByPosition(quint32 position)
{
    if (!CurrentDevice)
        return;
    const bool fiftyHz = FiftyHzRecorder();
    if (position < TimecodeFrameLimit(fiftyHz)) {
        char digits[kBareTimecodeSize];
        FormatFramePosition(position, digits, sizeof digits, false,
                            VideoStandardFps(static_cast<int>(CurrentDevice->videoStandard)),
                            positionDivisor, CurrentDevice->dropFrame != 0);
        TimecodeEntry entry;
        ParseTimecodeText(QString::fromLatin1(digits), entry);
        PackTimecodeBcd(entry, fiftyHz);
        CueUpWithData(TimecodeEntry::kWireLength, entry.WireBytes());
    } else {
        CueUpToFrame(position);
    }
    WaitCueUpComplete();
}
