#include "commands/diskcommands.h"

#include "commands/commandutil.h"
#include "model/recordermodel.h"

namespace xrsim {

namespace {

constexpr quint8 ModeSenseCode = 0xC3;
constexpr quint8 DiskTableCode = 0xA6;
constexpr int DiskTableEntries = 6;
constexpr quint8 AllBuses = 0xFF;

bool addressed(RecorderModel &model, const Frame &frame, int count)
{
    return frame.count() == count && model.disks().disk(frame.byte(0), frame.byte(1));
}

Frame done(bool ok)
{
    return ok ? reply::ack() : refuse();
}

} // namespace

Frame diskCommand(RecorderModel &model, const Frame &frame)
{
    if (frame.count() != 1 || frame.byte(0) > 1)
        return refuse();
    model.disks().maintenance = frame.byte(0) == 1;
    return reply::ack();
}

Frame diskScanAll(RecorderModel &model, const Frame &frame)
{
    const bool everything =
        frame.count() == 2 && frame.byte(0) == AllBuses && frame.byte(1) == AllBuses;
    if (!model.disks().maintenance || !everything)
        return refuse();
    model.disks().scan(model.now());
    return reply::ack();
}

Frame diskFormat(RecorderModel &model, const Frame &frame)
{
    return done(model.disks().maintenance && addressed(model, frame, 2) &&
                model.disks().format(frame.byte(0), frame.byte(1), model.now()));
}

Frame diskInquiry(RecorderModel &model, const Frame &frame)
{
    return done(model.disks().maintenance && addressed(model, frame, 2) &&
                model.disks().inquire(frame.byte(0), frame.byte(1), model.now()));
}

Frame diskApply(RecorderModel &model, const Frame &frame)
{
    return done(model.disks().maintenance && addressed(model, frame, 3) &&
                model.disks().setMode(frame.byte(0), frame.byte(1), frame.byte(2)));
}

Frame diskModeSense(RecorderModel &model, const Frame &frame)
{
    if (!addressed(model, frame, 2))
        return refuse();
    return reply::sense(ModeSenseCode,
                        model.disks().modeSense(frame.byte(0), frame.byte(1), model.now()));
}

Frame diskTableSense(RecorderModel &model, const Frame &frame)
{
    if (frame.count() != 1 || frame.byte(0) >= DiskTableEntries)
        return refuse();
    return reply::sense(DiskTableCode, model.disks().tableEntry(frame.byte(0)));
}

} // namespace xrsim
