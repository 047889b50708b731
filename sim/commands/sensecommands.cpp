// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/sensecommands.h"

#include "commands/commandutil.h"
#include "model/audiometer.h"
#include "model/recordermodel.h"
#include "model/statusreport.h"

namespace xrsim {

namespace {
constexpr quint8 kTimerModeCode = 0x36;
constexpr quint8 kTimerData = 0x00;
constexpr quint8 kLtcData = 0x04;
constexpr quint8 kVitcData = 0x06;
constexpr quint8 kVitcMode = 2;
constexpr quint8 kTimerAsLtcMode = 3;
constexpr quint8 kAskTimer = 0x04;
constexpr quint8 kAskTimecode = 0x03;
constexpr quint8 kStatusCode = 0x20;
constexpr int kStatusBytes = 10;
constexpr quint8 kAudioLevelCode = 0xAC;
constexpr quint8 kVersionCode = 0xB1;
} // namespace

Frame TimerModeSense(RecorderModel &model, const Frame &)
{
    return reply::Sense(kTimerModeCode,
                        QByteArray(1, char(model.Pages().Active(SetupPages::kTimeMode))));
}

Frame CurrentTimeSense(RecorderModel &model, const Frame &frame)
{
    const TimeBase time = model.CurrentTimeBase();
    if (frame.Count() != 1)
        return Refuse();
    if (frame.Byte(0) & kAskTimer)
        return reply::Sense(kTimerData, time.TimerBytes(model.Position()));
    if (!(frame.Byte(0) & kAskTimecode))
        return Refuse();
    // Asked for LTC or VITC, the recorder answers with the one it reads:
    // VITC when told to or when LTC is off; in the timer-as-LTC mode, LTC
    // carries the timer.
    const quint8 mode = model.Pages().Active(SetupPages::kTimeMode);
    if (mode == kTimerAsLtcMode && model.ltc)
        return reply::Sense(kLtcData, time.TimerBytes(model.Position()));
    const QByteArray timecode = time.TimecodeBytes(model.Position() + model.timecodeOffset);
    return reply::Sense(mode == kVitcMode || !model.ltc ? kVitcData : kLtcData, timecode);
}

Frame StatusSense(RecorderModel &model, const Frame &frame)
{
    const int first = frame.Byte(0) >> 4;
    const int count = frame.Byte(0) & 0x0F;
    if (frame.Count() != 1 || count == 0 || first + count > kStatusBytes)
        return Refuse();
    return reply::Sense(kStatusCode, StatusBytes(model).mid(first, count));
}

Frame AudioLevelSense(RecorderModel &model, const Frame &)
{
    // The Pellet has no level meters.
    if (model.Pellet())
        return reply::Nak(NakCode::UnknownCommand);
    const Channel &channel = model.Selected();
    const MediaFile *file = model.Files().Find(channel.loadedFile);
    const int tracks = file ? file->audioTracks : model.Pages().Active(SetupPages::kAudioTracks);
    // In E-E the meters show the input, whatever the transport does.
    const Transport &transport = channel.transport;
    const bool sounding = transport.Playing() || transport.fullEe || transport.selectEe;
    return reply::Sense(kAudioLevelCode, AudioLevels(model.Now(), sounding, tracks));
}

Frame VersionSense(RecorderModel &model, const Frame &)
{
    QByteArray text = model.VersionText().left(Frame::kMaxData);
    if (text.size() < Frame::kMaxData)
        text.append('\0');
    return reply::Sense(kVersionCode, text);
}

} // namespace xrsim
