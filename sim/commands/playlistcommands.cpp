#include "commands/playlistcommands.h"

#include "commands/commandutil.h"
#include "model/recordermodel.h"

namespace xrsim {

namespace {
constexpr quint8 CurrentEventCode = 0x98;
} // namespace

Frame eventPairPreset(RecorderModel &model, const Frame &frame)
{
    const int from = bcdNumberAt(frame, 0);
    const int to = bcdNumberAt(frame, 2);
    if (model.pellet() || frame.count() != 4 || !SegmentStore::validNumber(from) ||
        (to != 0 && !SegmentStore::validNumber(to)))
        return refuse();
    model.chain().link(from, to);
    return reply::ack();
}

Frame playlistStart(RecorderModel &model, const Frame &frame)
{
    const int first = bcdNumberAt(frame, 0);
    if (model.pellet() || frame.count() != 4 || !SegmentStore::validNumber(first))
        return refuse();
    model.chain().setStart(first);
    return reply::ack();
}

Frame currentEventSense(RecorderModel &model, const Frame &)
{
    if (model.pellet())
        return refuse();
    return reply::sense(CurrentEventCode, bcdNumber(model.chain().current()));
}

Frame ackEventChange(RecorderModel &model, const Frame &)
{
    model.chain().acknowledgeEventChange();
    return reply::ack();
}

Frame ackPlaylistChange(RecorderModel &model, const Frame &)
{
    model.chain().acknowledgePlaylistChange();
    return reply::ack();
}

} // namespace xrsim
