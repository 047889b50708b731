// SPDX-License-Identifier: GPL-3.0-or-later
#include "segmentcommands.h"

#include "bcd.h"
#include "commandcodes.h"
#include "commandengine.h"
#include "commandsend.h"

#include "link/linkstatus.h"

namespace {

// Segment information: in and out position (big-endian), then the two
// further numbers as two BCD bytes each.
constexpr int kSegmentInfoBytes = 12;

// Play one segment: 0x40 0x00 0x01 select play by segment number.
constexpr std::array<quint8, 3> kPlaySegmentPrefix{0x40, 0x00, 0x01};

// Segment slot entry: two big-endian numbers, two bytes, the present flag and
// a spare byte.
constexpr int kSlotEntryBytes = 12;

// Runs a sense whose answer the caller reads; true when the recorder answered
// with a sense return of at least `needed` data bytes.
bool SenseWithData(CommandCode code, unsigned number, int needed)
{
    return SendCommand(code, SegmentNumberBytes(number)) == kStatusOk &&
           CheckSenseReply(needed) == kStatusOk;
}

} // namespace

std::array<quint8, 2> SegmentNumberBytes(unsigned number)
{
    const quint16 bcd = BinToBcd4(number);
    return {static_cast<quint8>(bcd >> 8), static_cast<quint8>(bcd & 0xFF)};
}

bool CreateSegment(unsigned number)
{
    return SendCommand(Cmd::CreateSegment, SegmentNumberBytes(number)) == kStatusOk;
}

bool SegmentInfoSense(unsigned number, SegmentInfo &info)
{
    if (!SenseWithData(Cmd::SegmentInfoSense, number, kSegmentInfoBytes))
        return false;
    info.inPoint = ReplyBigEndian32(0);
    info.outPoint = ReplyBigEndian32(4);
    info.extra1 = static_cast<quint16>(Bcd4ToBin(ReplyData(8), ReplyData(9)));
    info.extra2 = static_cast<quint16>(Bcd4ToBin(ReplyData(10), ReplyData(11)));
    return true;
}

bool SegmentSourceSense(unsigned number, QString &source)
{
    if (!SenseWithData(Cmd::SegmentSourceSense, number, 1))
        return false;
    source = ReplyText(0, 8);
    return true;
}

qint16 DeleteSegment(unsigned number)
{
    return SendCommand(Cmd::DeleteSegment, SegmentNumberBytes(number));
}

qint16 PlaySegment(unsigned number)
{
    const auto segment = SegmentNumberBytes(number);
    const std::array<quint8, 5> data{kPlaySegmentPrefix[0], kPlaySegmentPrefix[1],
                                     kPlaySegmentPrefix[2], segment[0], segment[1]};
    return SendCommand(Cmd::PlaySegment, data);
}

// The entries are binary: they are copied byte for byte as far as the reply
// announced them, never as text (their first byte is usually zero).
qint16 SegmentSlotsSense(SegmentSlotsBlock &block)
{
    block = SegmentSlotsBlock{};
    qint16 result = kStatusOk;
    for (int i = 0; i < kSegmentSlotCount; ++i) {
        const std::array<quint8, 1> index{static_cast<quint8>(i)};
        const qint16 status = SendCommand(Cmd::SegmentSlotsSense, index);
        const qint16 check = status == kStatusOk ? CheckSenseReply(kSlotEntryBytes) : status;
        if (check != kStatusOk) {
            result = check;
            continue;
        }
        SegmentSlotEntry &entry = block.entries[i];
        entry.value1 = ReplyBigEndian32(0);
        entry.value2 = ReplyBigEndian32(4);
        entry.byte1 = ReplyData(8);
        entry.byte2 = ReplyData(9);
        entry.present = ReplyData(10);
        entry.spare = ReplyData(11);
        if (!entry.present)
            break;
        block.count = static_cast<quint32>(i + 1);
    }
    return result;
}
