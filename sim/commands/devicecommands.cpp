#include "commands/devicecommands.h"

#include "commands/commandutil.h"
#include "model/recordermodel.h"

namespace xrsim {

namespace {
constexpr quint8 DiskNameCode = 0xA1;
constexpr quint8 SetupPageCode = 0xC0;
constexpr int MaxDiskName = 15;
} // namespace

Frame diskNameSense(RecorderModel &model, const Frame &)
{
    return reply::sense(DiskNameCode, model.diskName.left(MaxDiskName));
}

Frame setDiskName(RecorderModel &model, const Frame &frame)
{
    if (frame.count() == 0)
        return refuse();
    model.diskName = frame.data();
    return reply::ack();
}

Frame recorderPlayerSelect(RecorderModel &model, const Frame &frame)
{
    if (frame.count() != 1 || frame.byte(0) > 1 ||
        !model.selectSide(RecorderModel::Side(frame.byte(0))))
        return refuse();
    return reply::ack();
}

Frame setupRefresh(RecorderModel &, const Frame &)
{
    return reply::ack();
}

Frame setupPageRead(RecorderModel &model, const Frame &frame)
{
    const int page = frame.byte(0);
    if (frame.count() != 1 || !SetupPages::exists(page))
        return refuse();
    return reply::sense(SetupPageCode, char(page) + model.pages().read(page));
}

Frame setupPageWrite(RecorderModel &model, const Frame &frame)
{
    if (frame.count() < 1 || !model.pages().write(frame.byte(0), frame.data().mid(1)))
        return refuse();
    return reply::ack();
}

Frame setupPageApply(RecorderModel &model, const Frame &frame)
{
    const int page = frame.byte(0);
    if (frame.count() != 1 || !SetupPages::exists(page))
        return refuse();
    model.applySetupPage(page);
    return reply::ack();
}

} // namespace xrsim
