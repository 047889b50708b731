// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/statusreport.h"

#include "model/recordermodel.h"

namespace xrsim {

namespace {

constexpr int kStatusSize = 10;
using Motion = Transport::Motion;

quint8 Bit(int n, bool set)
{
    return set ? quint8(1 << n) : 0;
}

quint8 MotionByte(const Transport &transport)
{
    const Motion motion = transport.CurrentMotion();
    return Bit(0, transport.Playing()) | Bit(1, motion == Motion::Record) |
           Bit(2, motion == Motion::FastForward) | Bit(3, motion == Motion::Rewind) |
           Bit(5, motion == Motion::Stop);
}

quint8 ModeByte(const Transport &transport)
{
    const Motion motion = transport.CurrentMotion();
    const bool shuttleFamily =
        motion == Motion::Shuttle || motion == Motion::Variable || motion == Motion::Jog;
    return Bit(0, transport.CueComplete()) | Bit(1, motion == Motion::Still) |
           Bit(2, transport.Speed() < 0) | Bit(3, motion == Motion::Variable) |
           Bit(4, motion == Motion::Jog) | Bit(5, shuttleFamily);
}

} // namespace

QByteArray StatusBytes(RecorderModel &model)
{
    const Channel &channel = model.Selected();
    const Transport &transport = channel.transport;
    const bool displayChanged = model.Disks().Formatting(model.Now()).has_value() ||
                                model.Disks().FormatEnded() || model.Panel().DisplayChanged();
    const bool player = &channel == &model.ChannelOf(RecorderModel::Side::Player);

    QByteArray status(kStatusSize, '\0');
    status[0] =
        char(Bit(0, model.Local()) | Bit(4, !transport.OptionPlay()) | Bit(5, displayChanged));
    status[1] = char(MotionByte(transport));
    status[2] = char(ModeByte(transport));
    status[4] =
        char(Bit(5, transport.selectEe) | Bit(6, transport.fullEe) | Bit(7, transport.editOn));
    status[6] = char(Bit(2, model.ltc));
    status[7] = char(model.editPreset);
    status[8] = char(Bit(0, player));
    status[9] =
        char(Bit(1, model.Chain().PlaylistChanged()) | Bit(6, model.Chain().EventChanged()));
    return status;
}

} // namespace xrsim
