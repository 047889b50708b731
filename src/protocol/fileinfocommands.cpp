// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfocommands.h"

#include "bcd.h"
#include "commandcodes.h"
#include "commandengine.h"
#include "commandsend.h"

#include "link/linkstatus.h"

#include <algorithm>

namespace {

// Selectors of the file information sense: the first data byte says what the
// recorder reports.
constexpr quint8 kSelectFormat = 0x01;
constexpr quint8 kSelectExtent = 0x02;
constexpr quint8 kSelectDropFrame = 0x40;
constexpr quint8 kSelectAudioTracks = 0x01;
constexpr quint8 kSelectStorageSpace = 0x06;
// The duration is asked for twice, with these selectors; the second answer counts.
constexpr std::array<quint8, 2> kDurationSelectors{0x00, 0x01};

// Bytes each answer must carry: data byte 0 echoes the selector, the values follow.
constexpr int kFormatBytes = 5;
constexpr int kExtentBytes = 9;
constexpr int kOneValueBytes = 2;
constexpr int kStorageSpaceBytes = 9;
constexpr int kDurationBytes = 4;

// A selector and a file name: nine data bytes.
std::array<quint8, 1 + kFileNameLength> SelectorAndName(quint8 selector, const QString &name)
{
    std::array<quint8, 1 + kFileNameLength> data{selector};
    const FileNameBytes padded = PadFileName(name);
    std::copy(padded.begin(), padded.end(), data.begin() + 1);
    return data;
}

// Sends a sense and checks that the answer carries `needed` data bytes.
template <std::size_t N>
qint16 SenseWithData(CommandCode code, const std::array<quint8, N> &data, int needed)
{
    const qint16 status = SendCommand(code, data);
    return status != kStatusOk ? status : CheckSenseReply(needed);
}

int BcdByte(int n)
{
    const quint8 byte = ReplyData(n);
    return static_cast<int>(BcdBytesToBin(&byte, 1));
}

// Hours, minutes and seconds, one BCD byte each in data bytes 3, 2 and 1. A
// byte with a nibble above 9 would read as up to 165 and widen its field: an
// answer that is no time is no duration.
qint16 DurationText(QString &text)
{
    for (int n = 1; n <= 3; ++n) {
        if (!IsBcdByte(ReplyData(n)))
            return kStatusWrongReply;
    }
    text = QString::asprintf("%02d:%02d:%02d", BcdByte(3), BcdByte(2), BcdByte(1));
    return kStatusOk;
}

} // namespace

qint16 FileFormatSense(const QString &name, FileFormat &format)
{
    const qint16 status =
        SenseWithData(Cmd::FileInfoSense, SelectorAndName(kSelectFormat, name), kFormatBytes);
    if (status == kStatusOk)
        format = {ReplyData(1), ReplyData(2), ReplyData(4)};
    return status;
}

qint16 FileExtentSense(const QString &name, quint32 &first, quint32 &last)
{
    const qint16 status =
        SenseWithData(Cmd::FileInfoSense, SelectorAndName(kSelectExtent, name), kExtentBytes);
    if (status == kStatusOk) {
        first = ReplyBigEndian32(1);
        last = ReplyBigEndian32(5);
    }
    return status;
}

qint16 FileAudioSense(const QString &name, quint8 &tracks)
{
    const qint16 status = SenseWithData(Cmd::FileAudioSense,
                                        SelectorAndName(kSelectAudioTracks, name), kOneValueBytes);
    if (status == kStatusOk)
        tracks = ReplyData(1);
    return status;
}

qint16 DropFrameSense(quint8 &flag)
{
    const qint16 status =
        SenseWithData(Cmd::FileInfoSense, std::array<quint8, 1>{kSelectDropFrame}, kOneValueBytes);
    if (status == kStatusOk)
        flag = ReplyData(1) != 0;
    return status;
}

qint16 StorageSpaceSense(QString &freeText, QString &totalText)
{
    freeText.clear();
    totalText.clear();
    const qint16 status = SenseWithData(
        Cmd::StorageSpaceSense, std::array<quint8, 1>{kSelectStorageSpace}, kStorageSpaceBytes);
    if (status == kStatusNak)
        return kStatusOk;
    if (status == kStatusOk) {
        freeText = QString::number(static_cast<qint32>(ReplyBigEndian32(1)));
        totalText = QString::number(static_cast<qint32>(ReplyBigEndian32(5)));
    }
    return status;
}

qint16 DurationSense(QString &text)
{
    for (const quint8 selector : kDurationSelectors) {
        qint16 status =
            SenseWithData(Cmd::DurationSense, std::array<quint8, 1>{selector}, kDurationBytes);
        if (status == kStatusOk)
            status = DurationText(text);
        if (status != kStatusOk)
            return status;
    }
    return kStatusOk;
}
