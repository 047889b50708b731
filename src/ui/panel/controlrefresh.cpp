// SPDX-License-Identifier: GPL-3.0-or-later
#include "controlpage.h"

#include "devices/devicerecord.h"
#include "link/linkstatus.h"
#include "link/timing.h"
#include "menukeys.h"
#include "paneldisplay.h"
#include "panelkeycodes.h"
#include "panelmodes.h"
#include "protocol/audiolevels.h"
#include "protocol/commandengine.h"
#include "protocol/recorderstate.h"
#include "protocol/sensecommands.h"
#include "protocol/transportcommands.h"
#include "speedcontrol.h"
#include "transportkeys.h"
#include "transportstate.h"
#include "ui/common/recordersession.h"

namespace {

// The reply of a status sense: a sense return (group 7) of command 0x20.
constexpr quint8 kSenseReturnGroup = 7;
constexpr quint8 kStatusSenseCommand = 0x20;

// From this long after start-up on, the lower line no longer keeps the text
// the recorder last sent (the version banner, for example).
constexpr quint64 kBannerMs = 6000;

bool IsFileBrowserKey(quint8 key)
{
    return key >= kFileBrowserOpenKey && key <= kFileBrowserNextAllKey;
}

} // namespace

void ControlPage::SendPanelKey(quint8 key)
{
    if (IsFileBrowserKey(key)) {
        menuKeys->FileBrowserKey(key);
        return;
    }
    FrontPanelKey(key);
    if (key == kVersionKey)
        display->ShowVersionReply();
    else
        display->ShowDisplayReply();
}

void ControlPage::RefreshPanel(DeviceRecord &device, quint64 startMs)
{
    if (ReplyGroup() != kSenseReturnGroup || ReplyCommand() != kStatusSenseCommand)
        return;
    KeepDisplayTidy(device, startMs);
    transport->ShowRecordFace();
    transport->SetNewState(ShowTransportWord());
    transport->ShowStatusKeys();
}

// Status byte 0 bits 5 and 6 tell that the recorder's display changed: it is
// read again, the lower line only stored, so the transport word stays on top.
// Otherwise, once the start-up banner has had its time, the lower line is
// blanked in store so that the transport word stands alone.
void ControlPage::KeepDisplayTidy(DeviceRecord &device, quint64 startMs)
{
    if (StatusBitSet(kStatusDisplayChanged)) {
        device.silentUpdate = 1;
        SendPanelKey(kDisplayReadKey);
        device.silentUpdate = 0;
    } else if (ElapsedMs(startMs) >= kBannerMs && !AnyPanelMode(device)) {
        device.silentUpdate = 1;
        display->WriteMenuLine(QByteArray(21, ' '));
        device.silentUpdate = 0;
    }
}

// Writes the word of the transport state the status shows, first match
// winning, and returns the state. In the shuttle family the recorder does not
// tell jog, variable speed and shuttle apart; the panel's own dial mode does.
int ControlPage::ShowTransportWord()
{
    transportWord.clear();
    if (StatusBitSet(kStatusRecording)) {
        ShowWord("RECORD");
        return kStateRecord;
    }
    if (StatusBitSet(kStatusPlaying)) {
        // With status byte 0 bit 4 clear the word carries the display's dot.
        ShowWord(StatusBitSet(kStatusPlainPlay) ? QByteArray("PLAY") : QByteArray("\xA5 PLAY"));
        return kStatePlay;
    }
    if (StatusBitSet(kStatusFastForward)) {
        ShowWord("FORWARD");
        return kStateForward;
    }
    if (StatusBitSet(kStatusRewinding)) {
        ShowWord("REWIND");
        return kStateRewind;
    }
    if (StatusBitSet(kStatusShuttleFamily)) {
        if (speed->JogActive()) {
            ShowWord("JOG");
            return speed->DialForward() ? kStateJogForward : kStateJogReverse;
        }
        if (speed->VarActive()) {
            ShowWord("VAR");
            return kStateVariable;
        }
        ShowWord("SHUTTLE");
        return speed->DialForward() ? kStateShuttleForward : kStateShuttleReverse;
    }
    if (StatusBitSet(kStatusStopped) || StatusBitSet(kStatusStill))
        ShowWord("STOP");
    return kStateStop;
}

void ControlPage::ShowWord(const QByteArray &word)
{
    transportWord = word;
    display->WriteFuncString(word);
}

// Delay mode records now and plays back once the delay has passed: the first
// tick at or after it switches to the player side and starts playing, once.
void ControlPage::FireDelayedPlayback(const DeviceRecord &device)
{
    if (!menuKeys->DelayedPlaybackDue(device))
        return;
    transport->pbP_pressed();
    Play();
    menuKeys->MarkDelayedPlaybackFired();
}

// The meters hold their peaks: each successful read lowers every held level
// by one step and raises it to the new reading where that is higher. A
// Pellet has no level sense; there, and after a failed read, the meters show
// nothing while the held values wait for the next reading.
void ControlPage::PollAudioLevels(DeviceRecord &device)
{
    if (!pelletDevice) {
        AudioLevelBytes bytes{};
        if (AudioLevelSense(bytes) == kStatusOk) {
            HoldAudioPeaks(device.levelPeak, bytes);
            display->ShowMeters(device.levelPeak);
            return;
        }
    }
    display->ShowMeters({});
}

void ControlPage::PollTime()
{
    if (CurrentTimeSense() == kStatusOk && session.Device())
        display->ShowTimecode(currentTime);
}
