// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/presetcommands.h"

#include "commands/commandutil.h"
#include "model/recordermodel.h"

namespace xrsim {

namespace {
constexpr int kHighestTimeMode = 3;
} // namespace

Frame InEntry(RecorderModel &model, const Frame &)
{
    model.Selected().markIn = model.Position();
    return reply::Ack();
}

Frame OutEntry(RecorderModel &model, const Frame &)
{
    model.Selected().markOut = model.Position();
    return reply::Ack();
}

Frame EditPreset(RecorderModel &model, const Frame &frame)
{
    if (frame.Count() != 1)
        return Refuse();
    model.editPreset = frame.Byte(0);
    return reply::Ack();
}

Frame TimecodePreset(RecorderModel &model, const Frame &frame)
{
    qint64 units = 0;
    if (frame.Count() < 4 || !model.CurrentTimeBase().UnitsOf(frame.Data().left(4), true, &units))
        return Refuse();
    model.timecodeOffset = units - model.Position();
    return reply::Ack();
}

Frame TimerModeSelect(RecorderModel &model, const Frame &frame)
{
    if (frame.Count() != 1 || frame.Byte(0) > kHighestTimeMode)
        return Refuse();
    model.Pages().Set(SetupPages::kTimeMode, frame.Byte(0));
    return reply::Ack();
}

} // namespace xrsim
