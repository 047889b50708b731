// SPDX-License-Identifier: GPL-3.0-or-later
#include "paneltime.h"

#include "protocol/recorderstate.h"
#include "protocol/timecode.h"
#include "protocol/transportcommands.h"

namespace {

constexpr int kShownTimeLength = 11;

} // namespace

QString ShownTime(const QString &lineText)
{
    QString time = lineText;
    time.remove(QLatin1Char(' '));
    return time.left(kShownTimeLength);
}

bool PackTime(const QString &text, TimecodeEntry &entry)
{
    if (!ParseTimecodeText(text, entry))
        return false;
    PackTimecodeBcd(entry, FiftyHzRecorder());
    return true;
}

bool CueToTime(const QString &text)
{
    TimecodeEntry entry;
    if (!PackTime(text, entry))
        return false;
    CueUpWithData(TimecodeEntry::kWireLength, entry.WireBytes());
    WaitCueUpComplete();
    return true;
}
