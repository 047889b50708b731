#include "commands/systemcommands.h"

#include "model/recordermodel.h"
#include "wire/reply.h"

namespace xrsim {

namespace {
constexpr quint8 DeviceTypeCode = 0x11;
} // namespace

Frame deviceTypeRequest(RecorderModel &model, const Frame &)
{
    const quint16 type = model.deviceType();
    QByteArray data;
    data.append(char(type >> 8));
    data.append(char(type & 0xFF));
    return Frame(group::Return, DeviceTypeCode, data);
}

} // namespace xrsim
