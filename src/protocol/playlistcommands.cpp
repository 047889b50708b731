// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlistcommands.h"

#include "bcd.h"
#include "commandcodes.h"
#include "commandengine.h"
#include "commandsend.h"
#include "recorderstate.h"
#include "segmentcommands.h"

#include "link/linkstatus.h"

#include <array>

namespace {

qint16 SendChainFrame(CommandCode code, const std::array<quint8, 4> &data, CommandPath path)
{
    if (path == CommandPath::Manual)
        return SendCommandManual(code, data.data(), static_cast<int>(data.size()));
    return SendCommand(code, data);
}

} // namespace

bool EventChanged()
{
    return StatusBitSet(kStatusEventChanged);
}

qint16 AckEventChange()
{
    return SendCommand(Cmd::AckEventChange);
}

bool PlaylistChanged()
{
    return StatusBitSet(kStatusPlaylistChanged);
}

qint16 AckPlaylistChange()
{
    return SendCommand(Cmd::AckPlaylistChange);
}

qint16 CurrentEventSense(quint16 &number)
{
    const qint16 status = SendCommand(Cmd::CurrentEventSense);
    if (status != kStatusOk)
        return status;
    const qint16 check = CheckSenseReply(2);
    if (check == kStatusOk)
        number = static_cast<quint16>(Bcd4ToBin(ReplyData(0), ReplyData(1)));
    return check;
}

qint16 EventPairPreset(unsigned first, unsigned next, CommandPath path)
{
    const auto a = SegmentNumberBytes(first);
    const auto b = SegmentNumberBytes(next);
    return SendChainFrame(Cmd::EventPairPreset, {a[0], a[1], b[0], b[1]}, path);
}

// The start frame has room for a second number like the pair preset; it is
// sent as zero.
qint16 PlaylistStart(unsigned first, CommandPath path)
{
    const auto a = SegmentNumberBytes(first);
    return SendChainFrame(Cmd::PlaylistStart, {a[0], a[1], 0, 0}, path);
}
