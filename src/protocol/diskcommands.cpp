// SPDX-License-Identifier: GPL-3.0-or-later
#include "diskcommands.h"

#include "commandcodes.h"
#include "commandengine.h"
#include "commandsend.h"

#include "link/linkstatus.h"

#include <array>

namespace {

// Both buses, every ID: the scan request.
constexpr std::array<quint8, 2> kEveryDisk{0xFF, 0xFF};

// The mode travels in the high nibble of the apply byte; the low nibble is
// always set.
constexpr quint8 kApplyLowNibble = 0x0F;

} // namespace

qint16 DiskCommand(quint8 code)
{
    return SendCommand(Cmd::DiskCommand, std::array<quint8, 1>{code});
}

qint16 DiskScanAll()
{
    return SendCommand(Cmd::DiskScanAll, kEveryDisk);
}

qint16 DiskFormat(quint8 bus, quint8 id)
{
    return SendCommand(Cmd::DiskFormat, std::array<quint8, 2>{bus, id});
}

qint16 DiskInquiry(quint8 bus, quint8 id)
{
    return SendCommand(Cmd::DiskInquiry, std::array<quint8, 2>{bus, id});
}

qint16 DiskApply(quint8 bus, quint8 id, quint8 mode)
{
    const quint8 modeByte = static_cast<quint8>(mode * 16 + kApplyLowNibble);
    return SendCommand(Cmd::DiskApply, std::array<quint8, 3>{bus, id, modeByte});
}

qint16 DiskModeSense(quint8 bus, quint8 id, DiskModeState &disk)
{
    disk = DiskModeState{};
    const qint16 status = SendCommand(Cmd::DiskModeSense, std::array<quint8, 2>{bus, id});
    if (status != kStatusOk)
        return status;
    const qint16 check = CheckSenseReply(1);
    if (check != kStatusOk)
        return check;
    disk.state = ReplyData(0);
    if (ReplyDataCount() >= 2)
        disk.mode = ReplyData(1);
    return kStatusOk;
}
