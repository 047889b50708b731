#include "model/statusreport.h"

#include "model/recordermodel.h"

namespace xrsim {

namespace {

constexpr int StatusSize = 10;
using Motion = Transport::Motion;

quint8 bit(int n, bool set)
{
    return set ? quint8(1 << n) : 0;
}

quint8 motionByte(const Transport &transport)
{
    const Motion motion = transport.motion();
    return bit(0, transport.playing()) | bit(1, motion == Motion::Record) |
           bit(2, motion == Motion::FastForward) | bit(3, motion == Motion::Rewind) |
           bit(5, motion == Motion::Stop);
}

quint8 modeByte(const Transport &transport)
{
    const Motion motion = transport.motion();
    const bool shuttleFamily =
        motion == Motion::Shuttle || motion == Motion::Variable || motion == Motion::Jog;
    return bit(0, transport.cueComplete()) | bit(1, motion == Motion::Still) |
           bit(2, transport.speed() < 0) | bit(3, motion == Motion::Variable) |
           bit(4, motion == Motion::Jog) | bit(5, shuttleFamily);
}

} // namespace

QByteArray statusBytes(RecorderModel &model)
{
    const Channel &channel = model.selected();
    const Transport &transport = channel.transport;
    const bool displayChanged = model.disks().formatting(model.now()).has_value() ||
                                model.disks().formatEnded() || model.panel().displayChanged();
    const bool player = &channel == &model.channel(RecorderModel::Side::Player);

    QByteArray status(StatusSize, '\0');
    status[0] =
        char(bit(0, model.local()) | bit(4, !transport.optionPlay()) | bit(5, displayChanged));
    status[1] = char(motionByte(transport));
    status[2] = char(modeByte(transport));
    status[4] =
        char(bit(5, transport.selectEe) | bit(6, transport.fullEe) | bit(7, transport.editOn));
    status[6] = char(bit(2, model.ltc));
    status[7] = char(model.editPreset);
    status[8] = char(bit(0, player));
    status[9] =
        char(bit(1, model.chain().playlistChanged()) | bit(6, model.chain().eventChanged()));
    return status;
}

} // namespace xrsim
