// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/transportcommands.h"

#include "commands/commandutil.h"
#include "model/recordermodel.h"

#include <cmath>

namespace xrsim {

namespace {

using Motion = Transport::Motion;

// The 9-pin speed scale: byte N (with a second byte as its fraction) is
// 10^(N/32 - 2) times play speed, 64 being play speed; 0 stands still. The
// transport shuttles no faster than it winds.
double SpeedOf(const RecorderModel &model, const Frame &frame)
{
    const double n = frame.Byte(0) + (frame.Count() > 1 ? frame.Byte(1) / 256.0 : 0.0);
    const double speed = n == 0.0 ? 0.0 : std::pow(10.0, n / 32.0 - 2.0);
    return qMin(speed, double(model.ScenarioInUse().windSpeed));
}

Transport &TransportOf(RecorderModel &model)
{
    Channel &channel = model.Selected();
    channel.playingSegment = 0;
    return channel.transport;
}

Frame Shuttle(RecorderModel &model, const Frame &frame, int direction)
{
    if (model.Local())
        return Refuse();
    if (frame.Count() < 1 || frame.Count() > 2)
        return Refuse();
    const Motion motion = frame.Count() == 1 ? Motion::Shuttle : Motion::Variable;
    TransportOf(model).Move(motion, direction * SpeedOf(model, frame), model.Now());
    return reply::Ack();
}

Frame StepBy(RecorderModel &model, int frames)
{
    if (model.Local())
        return Refuse();
    TransportOf(model).Step(frames * model.Standard().UnitsPerFrame(), model.Now());
    return reply::Ack();
}

Frame SetEe(RecorderModel &model, bool full, bool select)
{
    if (model.Local())
        return Refuse();
    Transport &transport = model.Selected().transport;
    transport.fullEe = full;
    transport.selectEe = select;
    return reply::Ack();
}

} // namespace

Frame Stop(RecorderModel &model, const Frame &)
{
    if (model.Local())
        return Refuse();
    TransportOf(model).Stop(model.Now());
    return reply::Ack();
}

Frame Play(RecorderModel &model, const Frame &)
{
    if (model.Local())
        return Refuse();
    TransportOf(model).Play(model.Now());
    return reply::Ack();
}

Frame Record(RecorderModel &model, const Frame &)
{
    if (model.Local() || !model.Record())
        return Refuse();
    return reply::Ack();
}

Frame FastForward(RecorderModel &model, const Frame &)
{
    if (model.Local())
        return Refuse();
    TransportOf(model).Move(Motion::FastForward, model.ScenarioInUse().windSpeed, model.Now());
    return reply::Ack();
}

Frame Rewind(RecorderModel &model, const Frame &)
{
    if (model.Local())
        return Refuse();
    TransportOf(model).Move(Motion::Rewind, -model.ScenarioInUse().windSpeed, model.Now());
    return reply::Ack();
}

Frame FrameStepForward(RecorderModel &model, const Frame &)
{
    return StepBy(model, 1);
}

Frame FrameStepReverse(RecorderModel &model, const Frame &)
{
    return StepBy(model, -1);
}

Frame ShuttleForward(RecorderModel &model, const Frame &frame)
{
    return Shuttle(model, frame, 1);
}

Frame ShuttleReverse(RecorderModel &model, const Frame &frame)
{
    return Shuttle(model, frame, -1);
}

Frame OptionPlay(RecorderModel &model, const Frame &)
{
    if (model.Local())
        return Refuse();
    if (!model.PlaySegment(model.Chain().Start(), true))
        TransportOf(model).Play(model.Now(), true);
    return reply::Ack();
}

Frame CueUpWithData(RecorderModel &model, const Frame &frame)
{
    if (model.Local())
        return Refuse();
    const TimeBase time = model.CurrentTimeBase();
    const bool asTimecode = model.Pages().Active(SetupPages::kTimeMode) != 1;
    qint64 units = 0;
    if (frame.Count() < 4 || !time.UnitsOf(frame.Data().left(4), asTimecode, &units))
        return Refuse();
    if (asTimecode) {
        const qint64 day = time.UnitsPerDay();
        units = ((units - model.timecodeOffset) % day + day) % day;
    }
    model.CueTo(model.Selected(), units);
    return reply::Ack();
}

Frame CueUpToFrame(RecorderModel &model, const Frame &frame)
{
    if (model.Local() || frame.Count() != 4)
        return Refuse();
    model.CueTo(model.Selected(), BigEndianAt(frame, 0));
    return reply::Ack();
}

Frame EditOn(RecorderModel &model, const Frame &)
{
    if (model.Local())
        return Refuse();
    Transport &transport = model.Selected().transport;
    transport.editOn = true;
    if (transport.CurrentMotion() == Motion::Play)
        model.Record();
    return reply::Ack();
}

Frame EditOff(RecorderModel &model, const Frame &)
{
    if (model.Local())
        return Refuse();
    Transport &transport = model.Selected().transport;
    transport.editOn = false;
    if (transport.CurrentMotion() == Motion::Record)
        transport.Play(model.Now());
    return reply::Ack();
}

Frame FullEeOn(RecorderModel &model, const Frame &)
{
    return SetEe(model, true, false);
}

Frame FullEeOff(RecorderModel &model, const Frame &)
{
    return SetEe(model, false, false);
}

Frame SelectEeOn(RecorderModel &model, const Frame &)
{
    return SetEe(model, false, true);
}

Frame LtcOn(RecorderModel &model, const Frame &)
{
    if (model.Local())
        return Refuse();
    model.ltc = true;
    return reply::Ack();
}

Frame LtcOff(RecorderModel &model, const Frame &)
{
    if (model.Local())
        return Refuse();
    model.ltc = false;
    return reply::Ack();
}

} // namespace xrsim
