// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/systemcommands.h"

#include "model/recordermodel.h"
#include "wire/reply.h"

namespace xrsim {

namespace {
constexpr quint8 kDeviceTypeCode = 0x11;
} // namespace

Frame DeviceTypeRequest(RecorderModel &model, const Frame &)
{
    const quint16 type = model.DeviceType();
    QByteArray data;
    data.append(char(type >> 8));
    data.append(char(type & 0xFF));
    return Frame(group::kReturn, kDeviceTypeCode, data);
}

} // namespace xrsim
