// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/playlistcommands.h"

#include "commands/commandutil.h"
#include "model/recordermodel.h"

namespace xrsim {

namespace {
constexpr quint8 kCurrentEventCode = 0x98;
} // namespace

Frame EventPairPreset(RecorderModel &model, const Frame &frame)
{
    const int from = BcdNumberAt(frame, 0);
    const int to = BcdNumberAt(frame, 2);
    if (model.Pellet() || frame.Count() != 4 || !SegmentStore::ValidNumber(from) ||
        (to != 0 && !SegmentStore::ValidNumber(to)))
        return Refuse();
    model.Chain().Link(from, to);
    return reply::Ack();
}

Frame PlaylistStart(RecorderModel &model, const Frame &frame)
{
    const int first = BcdNumberAt(frame, 0);
    if (model.Pellet() || frame.Count() != 4 || !SegmentStore::ValidNumber(first))
        return Refuse();
    model.Chain().SetStart(first);
    return reply::Ack();
}

Frame CurrentEventSense(RecorderModel &model, const Frame &)
{
    if (model.Pellet())
        return Refuse();
    return reply::Sense(kCurrentEventCode, BcdNumber(model.Chain().Current()));
}

Frame AckEventChange(RecorderModel &model, const Frame &)
{
    model.Chain().AcknowledgeEventChange();
    return reply::Ack();
}

Frame AckPlaylistChange(RecorderModel &model, const Frame &)
{
    model.Chain().AcknowledgePlaylistChange();
    return reply::Ack();
}

} // namespace xrsim
