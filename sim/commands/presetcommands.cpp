#include "commands/presetcommands.h"

#include "commands/commandutil.h"
#include "model/recordermodel.h"

namespace xrsim {

namespace {
constexpr int HighestTimeMode = 3;
} // namespace

Frame inEntry(RecorderModel &model, const Frame &)
{
    model.selected().markIn = model.position();
    return reply::ack();
}

Frame outEntry(RecorderModel &model, const Frame &)
{
    model.selected().markOut = model.position();
    return reply::ack();
}

Frame editPreset(RecorderModel &model, const Frame &frame)
{
    if (frame.count() != 1)
        return refuse();
    model.editPreset = frame.byte(0);
    return reply::ack();
}

Frame timecodePreset(RecorderModel &model, const Frame &frame)
{
    qint64 units = 0;
    if (frame.count() < 4 || !model.timeBase().unitsOf(frame.data().left(4), true, &units))
        return refuse();
    model.timecodeOffset = units - model.position();
    return reply::ack();
}

Frame timerModeSelect(RecorderModel &model, const Frame &frame)
{
    if (frame.count() != 1 || frame.byte(0) > HighestTimeMode)
        return refuse();
    model.pages().set(SetupPages::TimeMode, frame.byte(0));
    return reply::ack();
}

} // namespace xrsim
