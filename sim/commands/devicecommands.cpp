// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/devicecommands.h"

#include "commands/commandutil.h"
#include "model/recordermodel.h"

namespace xrsim {

namespace {
constexpr quint8 kDiskNameCode = 0xA1;
constexpr quint8 kSetupPageCode = 0xC0;
constexpr int kMaxDiskName = 15;
} // namespace

Frame DiskNameSense(RecorderModel &model, const Frame &)
{
    return reply::Sense(kDiskNameCode, model.diskName.left(kMaxDiskName));
}

Frame SetDiskName(RecorderModel &model, const Frame &frame)
{
    if (frame.Count() == 0)
        return Refuse();
    model.diskName = frame.Data();
    return reply::Ack();
}

Frame RecorderPlayerSelect(RecorderModel &model, const Frame &frame)
{
    if (frame.Count() != 1 || frame.Byte(0) > 1 ||
        !model.SelectSide(RecorderModel::Side(frame.Byte(0))))
        return Refuse();
    return reply::Ack();
}

Frame SetupRefresh(RecorderModel &, const Frame &)
{
    return reply::Ack();
}

Frame SetupPageRead(RecorderModel &model, const Frame &frame)
{
    const int page = frame.Byte(0);
    if (frame.Count() != 1 || !SetupPages::Exists(page))
        return Refuse();
    QByteArray data = char(page) + model.Pages().Read(page);
    for (const Scenario::ShortPage &shortened : model.ScenarioInUse().shortSetupPages) {
        if (shortened.page == page)
            data.truncate(shortened.bytes);
    }
    return reply::Sense(kSetupPageCode, data);
}

Frame SetupPageWrite(RecorderModel &model, const Frame &frame)
{
    if (frame.Count() < 1 || !model.Pages().Write(frame.Byte(0), frame.Data().mid(1)))
        return Refuse();
    return reply::Ack();
}

Frame SetupPageApply(RecorderModel &model, const Frame &frame)
{
    const int page = frame.Byte(0);
    if (frame.Count() != 1 || !SetupPages::Exists(page))
        return Refuse();
    model.ApplySetupPage(page);
    return reply::Ack();
}

} // namespace xrsim
