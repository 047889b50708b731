// SPDX-License-Identifier: GPL-3.0-or-later
#include "recorderinfo.h"

#include "commandengine.h"
#include "videostandard.h"

#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "link/devicelink.h"
#include "link/linkstatus.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <cstring>

namespace {

// The information request: header word 2 carries request code 1, no payload.
constexpr int kRequestCodeOffset = 4;
constexpr quint16 kInformationRequest = 1;

// Offsets in the reply block, header included.
constexpr int kTagOffset = 10;
constexpr int kVideoStandardOffset = 94;
constexpr int kCompressionOffset = 95;

constexpr qint16 kSerialDevice = -1;

struct TagKind
{
    char tag[5];
    qint32 kind;
};

constexpr std::array<TagKind, 5> kTagKinds{{
    {"zaxo", kRecorderKindZaxo},
    {"MPEG", kRecorderKindMpeg},
    {"XRU ", kRecorderKindXru},
    {"HDTV", kRecorderKindHdtv},
    {"C_HD", kRecorderKindCompactHd},
}};

// Compression of the zaxo (wavelet) recorders: ratios by code.
constexpr std::array<const char *, 17> kZaxoRatios{"4:1",  "5:1",  "6:1",   "7:1",  "8:1",  "9:1",
                                                   "10:1", "12:1", "14:1",  "16:1", "20:1", "24:1",
                                                   "34:1", "2:1",  "2.5:1", "3:1",  "3.5:1"};

// Compression of the MPEG recorders: bit rates by code.
constexpr std::array<const char *, 12> kMpegRates{
    "5 MBits/s",  "8 MBits/s",  "10 MBits/s", "12 MBits/s", "15 MBits/s", "20 MBits/s",
    "25 MBits/s", "30 MBits/s", "35 MBits/s", "40 MBits/s", "45 MBits/s", "50 MBits/s"};

// Compression of the XRU, HDTV and C_HD recorders, for standard-definition
// and high-definition video standards.
constexpr std::array<const char *, 7> kSdRates{"Uncompressed 8 bits",
                                               "Uncompressed 10 bits",
                                               "Unknown",
                                               "15 Mb/s",
                                               "30 Mb/s",
                                               "50 Mb/s",
                                               "100 Mb/s"};
constexpr std::array<const char *, 12> kHdRates{"Uncompressed 8 bits",
                                                "Uncompressed 10 bits",
                                                "Uncompressed 12 bits",
                                                "100 Mb/s",
                                                "160 Mb/s",
                                                "220 Mb/s",
                                                "300 Mb/s",
                                                "250 Mb/s",
                                                "125 Mb/s",
                                                "40 Mb/s",
                                                "50 Mb/s",
                                                "75 Mb/s"};

constexpr const char *kUnknown = "Unknown";

// The GOP structures of a file, by code 1-4.
constexpr std::array<const char *, 4> kGopTexts{"Gop : I Only", "Gop : IP", "Gop : IBP",
                                                "Gop : IB"};

template <std::size_t N>
QString TableText(const std::array<const char *, N> &table, unsigned code)
{
    return QString::fromLatin1(code < N ? table[code] : kUnknown);
}

// Standard-definition video standards: PAL, NTSC and the 480 and 576 line
// formats. The 1080, 720 and 2k formats are high definition; the codes above
// 35 belong to neither.
bool StandardDefinition(quint8 code)
{
    return code <= 1 || (code >= 14 && code <= 19) || code == 30 || code == 31;
}

constexpr quint8 kLastKnownStandard = 35;

bool SerialDevice(const DeviceRecord &device)
{
    return device.name == QLatin1String("Com1") || device.name == QLatin1String("Com2");
}

void StoreBitRateText(DeviceRecord &device, const QString &text)
{
    const QByteArray latin = text.toLatin1();
    device.bitRateText.fill(0);
    std::memcpy(device.bitRateText.data(), latin.constData(),
                std::min<std::size_t>(latin.size(), device.bitRateText.size() - 1));
}

// Sends the request and reads the answer into `reply`, whose payload starts
// zeroed: no answer, or one of another size, leaves the tag zero.
void ExchangeInformationBlock(DeviceLink &link, const DeviceRecord &device, BlockPacket &reply)
{
    link.currentAddress = link.UseAddress(device.address);
    link.Release(kReplyRecord);
    BlockPacket request;
    request.bytes[kRequestCodeOffset] = kInformationRequest >> 8;
    request.bytes[kRequestCodeOffset + 1] = kInformationRequest & 0xFF;
    request.bytes[kBlockLengthOffset] = 0;
    link.SendBlock(request);
    link.ReadBlock(reply);
}

} // namespace

qint32 RecorderKindFromTag(const quint8 *tagBytes)
{
    const char tag[4] = {static_cast<char>(tagBytes[0] & 0x7F), static_cast<char>(tagBytes[1]),
                         static_cast<char>(tagBytes[2]), static_cast<char>(tagBytes[3])};
    for (const TagKind &entry : kTagKinds) {
        if (std::memcmp(tag, entry.tag, sizeof tag) == 0)
            return entry.kind;
    }
    return kRecorderKindUnknown;
}

qint32 RecorderSubKind(quint8 videoStandard)
{
    if (videoStandard > kLastKnownStandard)
        return kRecorderSubKindNone;
    return StandardDefinition(videoStandard) ? kRecorderSubKindSd : kRecorderSubKindHd;
}

QString BitRateText(qint32 kind, qint32 subKind, quint8 compression)
{
    switch (kind) {
    case kRecorderKindZaxo:
        return TableText(kZaxoRatios, compression);
    case kRecorderKindMpeg:
        return TableText(kMpegRates, compression);
    default:
        break;
    }
    if (subKind == kRecorderSubKindSd)
        return TableText(kSdRates, compression);
    if (subKind == kRecorderSubKindHd)
        return TableText(kHdRates, compression);
    return QString::fromLatin1(kUnknown);
}

qint16 RecorderInfoRead()
{
    DeviceRecord *device = CurrentDevice;
    if (!device)
        return kStatusOk;
    if (SerialDevice(*device))
        return kSerialDevice;
    BlockPacket reply;
    ExchangeInformationBlock(*device->link, *device, reply);

    device->recorderKind = RecorderKindFromTag(reply.bytes.data() + kTagOffset);
    if (device->recorderKind == kRecorderKindUnknown)
        return kStatusOk;
    const quint8 standard = reply.bytes[kVideoStandardOffset];
    const quint8 compression = reply.bytes[kCompressionOffset];
    qint32 subKind = kRecorderSubKindNone;
    if (device->recorderKind != kRecorderKindZaxo && device->recorderKind != kRecorderKindMpeg) {
        subKind = RecorderSubKind(standard);
        device->recorderSubKind = subKind;
    }
    StoreBitRateText(*device, BitRateText(device->recorderKind, subKind, compression));
    return kStatusOk;
}

QString GopText(int code)
{
    if (code < 1 || code > int(kGopTexts.size()))
        return QStringLiteral("Gop : Undefined");
    return QString::fromLatin1(kGopTexts[code - 1]);
}

QString FileFormatText(int videoStandard, int gop)
{
    return QStringLiteral("Format: %1    %2").arg(VideoStandardName(videoStandard), GopText(gop));
}

QString CompressionText(unsigned mbps)
{
    return QStringLiteral("Comp : %1 Mb/s").arg(mbps);
}
