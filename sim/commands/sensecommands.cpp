#include "commands/sensecommands.h"

#include "commands/commandutil.h"
#include "model/audiometer.h"
#include "model/recordermodel.h"
#include "model/statusreport.h"

namespace xrsim {

namespace {
constexpr quint8 TimerModeCode = 0x36;
constexpr quint8 TimerData = 0x00;
constexpr quint8 LtcData = 0x04;
constexpr quint8 VitcData = 0x06;
constexpr quint8 VitcMode = 2;
constexpr quint8 TimerAsLtcMode = 3;
constexpr quint8 AskTimer = 0x04;
constexpr quint8 AskTimecode = 0x03;
constexpr quint8 StatusCode = 0x20;
constexpr int StatusBytes = 10;
constexpr quint8 AudioLevelCode = 0xAC;
constexpr quint8 VersionCode = 0xB1;
} // namespace

Frame timerModeSense(RecorderModel &model, const Frame &)
{
    return reply::sense(TimerModeCode,
                        QByteArray(1, char(model.pages().active(SetupPages::TimeMode))));
}

Frame currentTimeSense(RecorderModel &model, const Frame &frame)
{
    const TimeBase time = model.timeBase();
    if (frame.count() != 1)
        return refuse();
    if (frame.byte(0) & AskTimer)
        return reply::sense(TimerData, time.timerBytes(model.position()));
    if (!(frame.byte(0) & AskTimecode))
        return refuse();
    // Asked for LTC or VITC, the recorder answers with the one it reads:
    // VITC when told to or when LTC is off; in the timer-as-LTC mode, LTC
    // carries the timer.
    const quint8 mode = model.pages().active(SetupPages::TimeMode);
    if (mode == TimerAsLtcMode && model.ltc)
        return reply::sense(LtcData, time.timerBytes(model.position()));
    const QByteArray timecode = time.timecodeBytes(model.position() + model.timecodeOffset);
    return reply::sense(mode == VitcMode || !model.ltc ? VitcData : LtcData, timecode);
}

Frame statusSense(RecorderModel &model, const Frame &frame)
{
    const int first = frame.byte(0) >> 4;
    const int count = frame.byte(0) & 0x0F;
    if (frame.count() != 1 || count == 0 || first + count > StatusBytes)
        return refuse();
    return reply::sense(StatusCode, statusBytes(model).mid(first, count));
}

Frame audioLevelSense(RecorderModel &model, const Frame &)
{
    // The Pellet has no level meters.
    if (model.pellet())
        return reply::nak(NakCode::UnknownCommand);
    const Channel &channel = model.selected();
    const MediaFile *file = model.files().find(channel.loadedFile);
    const int tracks = file ? file->audioTracks : model.pages().active(SetupPages::AudioTracks);
    // In E-E the meters show the input, whatever the transport does.
    const Transport &transport = channel.transport;
    const bool sounding = transport.playing() || transport.fullEe || transport.selectEe;
    return reply::sense(AudioLevelCode, audioLevels(model.now(), sounding, tracks));
}

Frame versionSense(RecorderModel &model, const Frame &)
{
    QByteArray text = model.versionText().left(Frame::MaxData);
    if (text.size() < Frame::MaxData)
        text.append('\0');
    return reply::sense(VersionCode, text);
}

} // namespace xrsim
