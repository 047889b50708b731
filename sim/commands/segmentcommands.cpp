#include "commands/segmentcommands.h"

#include "commands/commandutil.h"
#include "model/recordermodel.h"

namespace xrsim {

namespace {

constexpr quint8 SegmentInfoCode = 0x9A;
constexpr quint8 SegmentSourceCode = 0x9B;
constexpr int PlaySegmentNumberAt = 3;
const QByteArray kNoSource = QByteArrayLiteral("XXXXXXXX");

// The segment number a frame names, or 0 when it names none the recorder
// could have.
int segmentNumber(const RecorderModel &model, const Frame &frame, int at)
{
    const int number = bcdNumberAt(frame, at);
    return model.pellet() || !SegmentStore::validNumber(number) ? 0 : number;
}

} // namespace

Frame createSegment(RecorderModel &model, const Frame &frame)
{
    const int number = segmentNumber(model, frame, 0);
    if (number == 0 || !model.createSegment(number))
        return refuse();
    return reply::ack();
}

Frame segmentInfoSense(RecorderModel &model, const Frame &frame)
{
    const Segment *segment = model.segments().find(segmentNumber(model, frame, 0));
    if (!segment)
        return refuse();
    // The two further numbers follow the positions, two BCD bytes each.
    return reply::sense(SegmentInfoCode,
                        bigEndian(quint32(segment->in)) + bigEndian(quint32(segment->out)) +
                            bcdNumber(segment->extra1) + bcdNumber(segment->extra2));
}

Frame segmentSourceSense(RecorderModel &model, const Frame &frame)
{
    const Segment *segment = model.segments().find(segmentNumber(model, frame, 0));
    if (!segment)
        return refuse();
    const QByteArray source = segment->source.isEmpty() ? kNoSource : segment->source;
    return reply::sense(SegmentSourceCode, FileStore::padded(source));
}

Frame deleteSegment(RecorderModel &model, const Frame &frame)
{
    const int number = segmentNumber(model, frame, 0);
    if (!model.segments().remove(number))
        return refuse();
    model.chain().forget(number);
    return reply::ack();
}

Frame playSegment(RecorderModel &model, const Frame &frame)
{
    const int number = segmentNumber(model, frame, PlaySegmentNumberAt);
    if (model.local() || frame.count() != PlaySegmentNumberAt + 2 || !model.playSegment(number))
        return refuse();
    return reply::ack();
}

} // namespace xrsim
