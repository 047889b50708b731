// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/segmentcommands.h"

#include "commands/commandutil.h"
#include "model/recordermodel.h"

namespace xrsim {

namespace {

constexpr quint8 kSegmentInfoCode = 0x9A;
constexpr quint8 kSegmentSourceCode = 0x9B;
constexpr int kPlaySegmentNumberAt = 3;
const QByteArray kNoSource = QByteArrayLiteral("XXXXXXXX");

// The segment number a frame names, or 0 when it names none the recorder
// could have.
int SegmentNumber(const RecorderModel &model, const Frame &frame, int at)
{
    const int number = BcdNumberAt(frame, at);
    return model.Pellet() || !SegmentStore::ValidNumber(number) ? 0 : number;
}

} // namespace

Frame CreateSegment(RecorderModel &model, const Frame &frame)
{
    const int number = SegmentNumber(model, frame, 0);
    if (number == 0 || !model.CreateSegment(number))
        return Refuse();
    return reply::Ack();
}

Frame SegmentInfoSense(RecorderModel &model, const Frame &frame)
{
    const Segment *segment = model.Segments().Find(SegmentNumber(model, frame, 0));
    if (!segment)
        return Refuse();
    // The two further numbers follow the positions, two BCD bytes each.
    return reply::Sense(kSegmentInfoCode,
                        BigEndian(quint32(segment->in)) + BigEndian(quint32(segment->out)) +
                            BcdNumber(segment->extra1) + BcdNumber(segment->extra2));
}

Frame SegmentSourceSense(RecorderModel &model, const Frame &frame)
{
    const Segment *segment = model.Segments().Find(SegmentNumber(model, frame, 0));
    if (!segment)
        return Refuse();
    const QByteArray source = segment->source.isEmpty() ? kNoSource : segment->source;
    return reply::Sense(kSegmentSourceCode, FileStore::Padded(source));
}

Frame DeleteSegment(RecorderModel &model, const Frame &frame)
{
    const int number = SegmentNumber(model, frame, 0);
    if (!model.Segments().Remove(number))
        return Refuse();
    model.Chain().Forget(number);
    return reply::Ack();
}

Frame PlaySegment(RecorderModel &model, const Frame &frame)
{
    const int number = SegmentNumber(model, frame, kPlaySegmentNumberAt);
    if (model.Local() || frame.Count() != kPlaySegmentNumberAt + 2 || !model.PlaySegment(number))
        return Refuse();
    return reply::Ack();
}

} // namespace xrsim
