// SPDX-License-Identifier: GPL-3.0-or-later
#include "setupcommands.h"

#include "commandcodes.h"
#include "commandengine.h"
#include "commandsend.h"

#include "link/linkstatus.h"

#include <algorithm>

namespace {

// Page 0 holds the channel mode in page byte 13, reply byte 14.
constexpr quint8 kGeneralPage = 0;
constexpr int kModeReplyByte = 14;

constexpr int kVersionTextLength = 15;

// The bytes each page holds, pages 0 to 10.
constexpr std::array<int, 11> kPageSizes{14, 6, 8, 10, 12, 11, 6, 0, 8, 8, 11};

} // namespace

int SetupPageSize(int page)
{
    return page >= 0 && page < int(kPageSizes.size()) ? kPageSizes[size_t(page)] : 0;
}

// The recorder is told that a page read follows; its answer to that carries
// nothing the program uses. A page shorter than fourteen bytes comes back
// with fewer data bytes: the rest of `reply` is zero, never the checksum.
qint16 SetupPageRead(quint8 page, SetupPageReply &reply)
{
    SendCommand(Cmd::SetupPagePrepare);
    const qint16 status = SendCommand(Cmd::SetupPageRead, std::array<quint8, 1>{page});
    if (status != kStatusOk)
        return status;
    const qint16 check = CheckSenseReply(1 + SetupPageSize(page));
    if (check != kStatusOk)
        return check;
    reply.fill(0);
    const int count = std::min<int>(ReplyDataCount(), kSetupReplySize);
    for (int i = 0; i < count; ++i)
        reply[i] = ReplyData(i);
    return kStatusOk;
}

qint16 SetupPageWrite(quint8 page, const quint8 *bytes, int count)
{
    std::array<quint8, 1 + kSetupPageBytes> data{page};
    if (count < 0 || count > kSetupPageBytes)
        return kStatusLinkError;
    std::copy_n(bytes, count, data.begin() + 1);
    return SendCommand(Cmd::SetupPageWrite, data.data(), count + 1);
}

qint16 SetupPageApply(quint8 page)
{
    return SendCommand(Cmd::SetupPageApply, std::array<quint8, 1>{page});
}

qint16 PlayerModeSense(bool &available)
{
    SetupPageReply reply{};
    const qint16 status = SetupPageRead(kGeneralPage, reply);
    if (status == kStatusOk)
        available = reply[kModeReplyByte] == kModeOneRecorderOnePlayer;
    return status;
}

bool PlayerModeAvailable()
{
    bool available = false;
    return PlayerModeSense(available) == kStatusOk && available;
}

qint16 RecorderPlayerSelect(quint8 mode)
{
    return SendCommand(Cmd::RecorderPlayerSelect, std::array<quint8, 1>{mode});
}

qint16 VersionSense(QString &text)
{
    const qint16 status = SendCommand(Cmd::VersionSense);
    if (status != kStatusOk)
        return status;
    const qint16 check = CheckSenseReply(0);
    if (check == kStatusOk)
        text = ReplyText(0, kVersionTextLength);
    return check;
}
