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
double speedOf(const RecorderModel &model, const Frame &frame)
{
    const double n = frame.byte(0) + (frame.count() > 1 ? frame.byte(1) / 256.0 : 0.0);
    const double speed = n == 0.0 ? 0.0 : std::pow(10.0, n / 32.0 - 2.0);
    return qMin(speed, double(model.scenario().windSpeed));
}

Transport &transportOf(RecorderModel &model)
{
    Channel &channel = model.selected();
    channel.playingSegment = 0;
    return channel.transport;
}

Frame shuttle(RecorderModel &model, const Frame &frame, int direction)
{
    if (model.local())
        return refuse();
    if (frame.count() < 1 || frame.count() > 2)
        return refuse();
    const Motion motion = frame.count() == 1 ? Motion::Shuttle : Motion::Variable;
    transportOf(model).move(motion, direction * speedOf(model, frame), model.now());
    return reply::ack();
}

Frame stepBy(RecorderModel &model, int frames)
{
    if (model.local())
        return refuse();
    transportOf(model).step(frames * model.standard().unitsPerFrame(), model.now());
    return reply::ack();
}

Frame setEe(RecorderModel &model, bool full, bool select)
{
    if (model.local())
        return refuse();
    Transport &transport = model.selected().transport;
    transport.fullEe = full;
    transport.selectEe = select;
    return reply::ack();
}

} // namespace

Frame stop(RecorderModel &model, const Frame &)
{
    if (model.local())
        return refuse();
    transportOf(model).stop(model.now());
    return reply::ack();
}

Frame play(RecorderModel &model, const Frame &)
{
    if (model.local())
        return refuse();
    transportOf(model).play(model.now());
    return reply::ack();
}

Frame record(RecorderModel &model, const Frame &)
{
    if (model.local() || !model.record())
        return refuse();
    return reply::ack();
}

Frame fastForward(RecorderModel &model, const Frame &)
{
    if (model.local())
        return refuse();
    transportOf(model).move(Motion::FastForward, model.scenario().windSpeed, model.now());
    return reply::ack();
}

Frame rewind(RecorderModel &model, const Frame &)
{
    if (model.local())
        return refuse();
    transportOf(model).move(Motion::Rewind, -model.scenario().windSpeed, model.now());
    return reply::ack();
}

Frame frameStepForward(RecorderModel &model, const Frame &)
{
    return stepBy(model, 1);
}

Frame frameStepReverse(RecorderModel &model, const Frame &)
{
    return stepBy(model, -1);
}

Frame shuttleForward(RecorderModel &model, const Frame &frame)
{
    return shuttle(model, frame, 1);
}

Frame shuttleReverse(RecorderModel &model, const Frame &frame)
{
    return shuttle(model, frame, -1);
}

Frame optionPlay(RecorderModel &model, const Frame &)
{
    if (model.local())
        return refuse();
    if (!model.playSegment(model.chain().start(), true))
        transportOf(model).play(model.now(), true);
    return reply::ack();
}

Frame cueUpWithData(RecorderModel &model, const Frame &frame)
{
    if (model.local())
        return refuse();
    const TimeBase time = model.timeBase();
    const bool asTimecode = model.pages().active(SetupPages::TimeMode) != 1;
    qint64 units = 0;
    if (frame.count() < 4 || !time.unitsOf(frame.data().left(4), asTimecode, &units))
        return refuse();
    if (asTimecode) {
        const qint64 day = time.unitsPerDay();
        units = ((units - model.timecodeOffset) % day + day) % day;
    }
    model.cueTo(model.selected(), units);
    return reply::ack();
}

Frame cueUpToFrame(RecorderModel &model, const Frame &frame)
{
    if (model.local() || frame.count() != 4)
        return refuse();
    model.cueTo(model.selected(), bigEndianAt(frame, 0));
    return reply::ack();
}

Frame editOn(RecorderModel &model, const Frame &)
{
    if (model.local())
        return refuse();
    Transport &transport = model.selected().transport;
    transport.editOn = true;
    if (transport.motion() == Motion::Play)
        model.record();
    return reply::ack();
}

Frame editOff(RecorderModel &model, const Frame &)
{
    if (model.local())
        return refuse();
    Transport &transport = model.selected().transport;
    transport.editOn = false;
    if (transport.motion() == Motion::Record)
        transport.play(model.now());
    return reply::ack();
}

Frame fullEeOn(RecorderModel &model, const Frame &)
{
    return setEe(model, true, false);
}

Frame fullEeOff(RecorderModel &model, const Frame &)
{
    return setEe(model, false, false);
}

Frame selectEeOn(RecorderModel &model, const Frame &)
{
    return setEe(model, false, true);
}

Frame ltcOn(RecorderModel &model, const Frame &)
{
    if (model.local())
        return refuse();
    model.ltc = true;
    return reply::ack();
}

Frame ltcOff(RecorderModel &model, const Frame &)
{
    if (model.local())
        return refuse();
    model.ltc = false;
    return reply::ack();
}

} // namespace xrsim
