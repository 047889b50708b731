// SPDX-License-Identifier: GPL-3.0-or-later
#include "transportcommands.h"

#include "commandsend.h"
#include "recorderstate.h"
#include "sensecommands.h"

#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "link/timing.h"

#include <array>

namespace {

// The cue-up wait gives the recorder one second to reach the cue point.
constexpr quint32 kCueUpWaitMs = 1000;

// EditPreset value that disarms the recorder's edit preset.
constexpr quint8 kEditPresetNone = 0;

} // namespace

qint16 Stop()
{
    return SendCommand(Cmd::Stop);
}

qint16 Play()
{
    return SendCommand(Cmd::Play);
}

qint16 Record()
{
    return SendCommand(Cmd::Record);
}

qint16 FastForward()
{
    return SendCommand(Cmd::FastForward);
}

qint16 Rewind()
{
    return SendCommand(Cmd::Rewind);
}

qint16 FrameStepForward()
{
    return SendCommand(Cmd::FrameStepForward);
}

qint16 FrameStepReverse()
{
    return SendCommand(Cmd::FrameStepReverse);
}

qint16 Shuttle(quint8 speed, bool forward)
{
    return SendCommand(forward ? Cmd::ShuttleForward : Cmd::ShuttleReverse,
                       std::array<quint8, 1>{speed});
}

// Jog uses the shuttle codes with a two-byte speed for finer steps.
qint16 ShuttleFine(quint16 speed, bool forward)
{
    const std::array<quint8, 2> data{static_cast<quint8>(speed >> 8),
                                     static_cast<quint8>(speed & 0xFF)};
    return SendCommand(forward ? Cmd::ShuttleForward : Cmd::ShuttleReverse, data);
}

qint16 OptionPlay()
{
    return SendCommand(Cmd::OptionPlay);
}

qint16 CueUpWithData(int count, const quint8 *bytes)
{
    return SendCommand(Cmd::CueUpWithData, bytes, count);
}

qint16 CueUpToFrame(quint32 position)
{
    const std::array<quint8, 4> data{
        static_cast<quint8>(position >> 24), static_cast<quint8>(position >> 16),
        static_cast<quint8>(position >> 8), static_cast<quint8>(position)};
    return SendCommand(Cmd::CueUpToFrame, data);
}

// Polls as fast as the recorder answers; failed senses count against the same
// second. Without a recorder there is nothing to wait for.
// A recorder marked lost is asked nothing more: its status senses would
// fail at once, and the wait would spin for its whole second.
void WaitCueUpComplete()
{
    const quint64 start = NowMs();
    while (CurrentDevice && !CurrentDevice->disconnected) {
        StatusSense();
        if (StatusBitSet(kStatusCueUpComplete) || ElapsedMs(start) > kCueUpWaitMs)
            return;
    }
}

qint16 EditOn()
{
    return SendCommand(Cmd::EditOn);
}

qint16 FullEeOn()
{
    return SendCommand(Cmd::FullEeOn);
}

qint16 SelectEeOn()
{
    return SendCommand(Cmd::SelectEeOn);
}

qint16 EditOff()
{
    return SendCommand(Cmd::EditOff);
}

qint16 FullEeOff()
{
    return SendCommand(Cmd::FullEeOff);
}

qint16 EditPreset(quint8 value)
{
    return SendCommand(Cmd::EditPreset, std::array<quint8, 1>{value});
}

// Uses the status of the last sense rather than asking again: the polling
// loop keeps it fresh, and a transport key must act at once.
void EndEditModes()
{
    if (editPresetArmed) {
        EditPreset(kEditPresetNone);
        editPresetArmed = 0;
    }
    if (StatusBitSet(kStatusEditOn))
        EditOff();
    if (StatusBitSet(kStatusFullEeOn))
        FullEeOff();
}

qint16 LtcOff()
{
    return SendCommand(Cmd::LtcOff);
}

qint16 LtcOn()
{
    return SendCommand(Cmd::LtcOn);
}

// The recorder has no toggle: the key switches LTC off when the status shows
// it on, and otherwise sends off and on so that it ends up on from any state.
qint16 OffLtcKey()
{
    if (StatusBitSet(kStatusLtcOn))
        return LtcOff();
    LtcOff();
    return LtcOn();
}

qint16 InEntry()
{
    return SendCommand(Cmd::InEntry);
}

qint16 OutEntry()
{
    return SendCommand(Cmd::OutEntry);
}

qint16 TimecodePreset(int count, const quint8 *bytes)
{
    return SendCommand(Cmd::TimecodePreset, bytes, count);
}

qint16 TimerModeSelect(quint8 mode)
{
    return SendCommand(Cmd::TimerModeSelect, std::array<quint8, 1>{mode});
}

qint16 ToggleTimerMode()
{
    return TimerModeSelect(timerMode == kTimerModeTimer ? kTimerModeTimecode : kTimerModeTimer);
}

qint16 FrontPanelKey(quint8 key)
{
    return SendCommand(Cmd::FrontPanelKey, std::array<quint8, 1>{key});
}
