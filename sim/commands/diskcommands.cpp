// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/diskcommands.h"

#include "commands/commandutil.h"
#include "model/recordermodel.h"

namespace xrsim {

namespace {

constexpr quint8 kModeSenseCode = 0xC3;
constexpr quint8 kDiskTableCode = 0xA6;
constexpr int kDiskTableEntries = 6;
constexpr quint8 kAllBuses = 0xFF;

bool Addressed(RecorderModel &model, const Frame &frame, int count)
{
    return frame.Count() == count && model.Disks().DiskAt(frame.Byte(0), frame.Byte(1));
}

Frame Done(bool ok)
{
    return ok ? reply::Ack() : Refuse();
}

} // namespace

Frame DiskCommand(RecorderModel &model, const Frame &frame)
{
    if (frame.Count() != 1 || frame.Byte(0) > 1)
        return Refuse();
    model.Disks().maintenance = frame.Byte(0) == 1;
    return reply::Ack();
}

Frame DiskScanAll(RecorderModel &model, const Frame &frame)
{
    const bool everything =
        frame.Count() == 2 && frame.Byte(0) == kAllBuses && frame.Byte(1) == kAllBuses;
    if (!model.Disks().maintenance || !everything)
        return Refuse();
    model.Disks().Scan(model.Now());
    return reply::Ack();
}

Frame DiskFormat(RecorderModel &model, const Frame &frame)
{
    return Done(model.Disks().maintenance && Addressed(model, frame, 2) &&
                model.Disks().Format(frame.Byte(0), frame.Byte(1), model.Now()));
}

Frame DiskInquiry(RecorderModel &model, const Frame &frame)
{
    return Done(model.Disks().maintenance && Addressed(model, frame, 2) &&
                model.Disks().Inquire(frame.Byte(0), frame.Byte(1), model.Now()));
}

Frame DiskApply(RecorderModel &model, const Frame &frame)
{
    return Done(model.Disks().maintenance && Addressed(model, frame, 3) &&
                model.Disks().SetMode(frame.Byte(0), frame.Byte(1), frame.Byte(2)));
}

Frame DiskModeSense(RecorderModel &model, const Frame &frame)
{
    if (!Addressed(model, frame, 2))
        return Refuse();
    return reply::Sense(kModeSenseCode,
                        model.Disks().ModeSense(frame.Byte(0), frame.Byte(1), model.Now()));
}

Frame DiskTableSense(RecorderModel &model, const Frame &frame)
{
    if (frame.Count() != 1 || frame.Byte(0) >= kDiskTableEntries)
        return Refuse();
    return reply::Sense(kDiskTableCode, model.Disks().TableEntry(frame.Byte(0)));
}

} // namespace xrsim
