#include "model/infoblock.h"

#include "model/recordermodel.h"
#include "wire/packetheader.h"

#include <QtEndian>

namespace xrsim {

namespace {
constexpr int PayloadSize = 512;
constexpr int VersionAt = 4;
constexpr int DiskNameAt = 20;
constexpr int TextSize = 16;
constexpr int StandardAt = 84;
constexpr int CompressionAt = 85;

void putText(QByteArray *payload, int at, const QByteArray &text)
{
    payload->replace(at, qMin<int>(int(text.size()), TextSize - 1), text.left(TextSize - 1));
}
} // namespace

QByteArray infoBlock(RecorderModel &model)
{
    QByteArray payload(PayloadSize, '\0');
    qToBigEndian(model.scenario().tag, payload.data());
    putText(&payload, VersionAt, model.versionText());
    putText(&payload, DiskNameAt, model.diskName);
    payload[StandardAt] = char(model.pages().active(SetupPages::Standard));
    payload[CompressionAt] = char(model.pages().active(SetupPages::Compression));

    PacketHeader header;
    header.type = PacketHeader::BlockType;
    header.length = PayloadSize;
    header.word2 = InformationRequest;
    return header.encode() + payload;
}

} // namespace xrsim
