// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/infoblock.h"

#include "model/recordermodel.h"
#include "wire/packetheader.h"

#include <QtEndian>

namespace xrsim {

namespace {
constexpr int kPayloadSize = 512;
constexpr int kVersionAt = 4;
constexpr int kDiskNameAt = 20;
constexpr int kTextSize = 16;
constexpr int kStandardAt = 84;
constexpr int kCompressionAt = 85;

void PutText(QByteArray *payload, int at, const QByteArray &text)
{
    payload->replace(at, qMin<int>(int(text.size()), kTextSize - 1), text.left(kTextSize - 1));
}
} // namespace

QByteArray InfoBlock(RecorderModel &model)
{
    QByteArray payload(kPayloadSize, '\0');
    qToBigEndian(model.ScenarioInUse().tag, payload.data());
    PutText(&payload, kVersionAt, model.VersionText());
    PutText(&payload, kDiskNameAt, model.diskName);
    payload[kStandardAt] = char(model.Pages().Active(SetupPages::kStandard));
    payload[kCompressionAt] = char(model.Pages().Active(SetupPages::kCompression));

    PacketHeader header;
    header.type = PacketHeader::kBlockType;
    header.length = kPayloadSize;
    header.word2 = kInformationRequest;
    return header.Encode() + payload;
}

} // namespace xrsim
