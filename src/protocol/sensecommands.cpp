// SPDX-License-Identifier: GPL-3.0-or-later
#include "sensecommands.h"

#include "commandcodes.h"
#include "commandengine.h"
#include "commandsend.h"
#include "recorderstate.h"

#include "link/linkstatus.h"

namespace {

constexpr int kDeviceTypeBytes = 2;

// Time sources of the current time sense: the timecode or the timer.
constexpr quint8 kTimeSourceTimecode = 0x03;
constexpr quint8 kTimeSourceTimer = 0x04;

// Status sense data: start at status byte 0 (high nibble), ten bytes (low nibble).
constexpr quint8 kStatusFromByte0TenBytes = 0x0A;

// Runs a sense request whose answer is stored. The store is written only from
// a sense return carrying every byte it needs; a refusal gives kStatusNak, a
// return too short to store gives kStatusShortReply, and a reply of another
// group is left unstored without being an error.
template <typename Store>
qint16 SenseAndStore(CommandCode code, const quint8 *data, int count, int needed, Store store)
{
    const qint16 status = SendCommand(code, data, count);
    if (status != kStatusOk)
        return status;
    const qint16 check = CheckSenseReply(needed);
    if (check == kStatusWrongReply)
        return kStatusOk;
    if (check != kStatusOk)
        return check;
    store();
    return kStatusOk;
}

template <std::size_t N>
void CopyReplyData(std::array<quint8, N> &destination)
{
    for (std::size_t i = 0; i < N; ++i)
        destination[i] = ReplyData(static_cast<int>(i));
}

} // namespace

qint16 DeviceTypeRequest()
{
    const qint16 status = SendCommand(Cmd::DeviceTypeRequest);
    if (status == kStatusNak)
        return kStatusWrongReply;
    if (status != kStatusOk)
        return status;
    if (ReplyGroup() != kReturnGroup || ReplyCommand() != Cmd::DeviceTypeRequest.command)
        return kStatusWrongReply;
    if (ReplyDataCount() < kDeviceTypeBytes)
        return kStatusShortReply;
    deviceType = static_cast<quint16>(ReplyData(0) << 8 | ReplyData(1));
    return kStatusOk;
}

qint16 TimerModeSense()
{
    return SenseAndStore(Cmd::TimerModeSense, nullptr, 0, 1, [] { timerMode = ReplyData(0); });
}

qint16 CurrentTimeSense()
{
    const quint8 source = timerMode == kTimerModeTimer ? kTimeSourceTimer : kTimeSourceTimecode;
    return SenseAndStore(Cmd::CurrentTimeSense, &source, 1, int(currentTime.size()),
                         [] { CopyReplyData(currentTime); });
}

qint16 StatusSense()
{
    const quint8 request = kStatusFromByte0TenBytes;
    return SenseAndStore(Cmd::StatusSense, &request, 1, int(statusBytes.size()),
                         [] { CopyReplyData(statusBytes); });
}

// The levels go to the caller's meters rather than into the store, so any
// answer that does not carry them is a failure: the meters are blanked and the
// held peaks stay as they were.
qint16 AudioLevelSense(std::array<quint8, 4> &levels)
{
    levels.fill(0);
    const qint16 status = SendCommand(Cmd::AudioLevelSense);
    if (status != kStatusOk)
        return status;
    const qint16 check = CheckSenseReply(int(levels.size()));
    if (check == kStatusOk)
        CopyReplyData(levels);
    return check;
}

bool IsPlaying()
{
    return StatusBitSet(kStatusPlaying);
}
