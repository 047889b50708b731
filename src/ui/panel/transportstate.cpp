#include "mainwindow.h"

#include "devices/devicerecord.h"
#include "link/timing.h"
#include "panelbuttons.h"
#include "panelkeycodes.h"
#include "panelmodes.h"
#include "protocol/commandengine.h"
#include "protocol/recorderstate.h"

#include <QPushButton>

namespace {

// Transport states, as the transport keys show them.
enum TransportStateCode {
    kStatePlay = 0,
    kStateRecord = 1,
    kStateStop = 2,
    kStateRewind = 3,
    kStateForward = 4,
    kStateShuttleForward = 5,
    kStateJogForward = 6,
    kStateVariable = 7,
    kStateShuttleReverse = 8,
    kStateJogReverse = 9,
    kStateLastKnown = 10,
};

// The faces of the transport keys for each state; a null record face leaves
// the record key as it is, since the record key also shows the edit modes.
// The fast-forward key wears the "rew" pictures and the rewind key the "back"
// ones.
struct StateFaces
{
    const char *play;
    const char *record;
    const char *stop;
    const char *rewind;
    const char *forward;
};

constexpr StateFaces kPlaying{"playd.png", nullptr, "stopu.png", "backu.png", "rewu.png"};
constexpr StateFaces kRecording{"playd.png", "recd.png", "stopu.png", "backu.png", "rewu.png"};
constexpr StateFaces kStopped{"playu.png", nullptr, "stopd.png", "backu.png", "rewu.png"};
constexpr StateFaces kReverse{"playu.png", nullptr, "stopu.png", "backd.png", "rewu.png"};
constexpr StateFaces kForward{"playu.png", nullptr, "stopu.png", "backu.png", "rewd.png"};

const StateFaces kStateFaces[kStateLastKnown + 1] = {
    kPlaying, kRecording, kStopped, kReverse, kForward, kForward,
    kForward, kForward,   kReverse, kReverse, kReverse,
};

// The reply of a status sense: a sense return (group 7) of command 0x20.
constexpr quint8 kSenseReturnGroup = 7;
constexpr quint8 kStatusSenseCommand = 0x20;

// From this long after start-up on, the lower line no longer keeps the text
// the recorder last sent (the version banner, for example).
constexpr quint32 kBannerMs = 6000;

bool Bit(int byte, int bit)
{
    return (statusBytes[byte] >> bit) & 1;
}

} // namespace

void MainWindow::SetNewState(int state)
{
    if (state == transportState)
        return;
    if (state >= 0 && state <= kStateLastKnown) {
        const StateFaces &faces = kStateFaces[state];
        ShowFace(control.pbPlay, faces.play);
        if (faces.record)
            ShowFace(control.pbRecord, faces.record);
        ShowFace(control.pbStop, faces.stop);
        ShowFace(control.pbBack, faces.rewind);
        ShowFace(control.pbFor, faces.forward);
        transportState = state;
    }
    UpdateLCD();
}

void MainWindow::UpdateLCD() {}

void MainWindow::RefreshPanel(DeviceRecord &device)
{
    if (ReplyGroup() != kSenseReturnGroup || ReplyCommand() != kStatusSenseCommand)
        return;
    KeepDisplayTidy(device);
    // The record key is lit by the edit modes as well as by recording.
    if (Bit(4, 7) || Bit(4, 6))
        ShowFace(control.pbRecord, "recd.png");
    else if (!Bit(1, 1))
        ShowFace(control.pbRecord, "recu.png");
    SetNewState(ShowTransportWord());
    ShowStatusKeys();
}

// Status byte 0 bits 5 and 6 tell that the recorder's display changed: it is
// read again, the lower line only stored, so the transport word stays on top.
// Otherwise, once the start-up banner has had its time, the lower line is
// blanked in store so that the transport word stands alone.
void MainWindow::KeepDisplayTidy(DeviceRecord &device)
{
    if (Bit(0, 5) || Bit(0, 6)) {
        device.silentUpdate = 1;
        SendPanelKey(kDisplayReadKey);
        device.silentUpdate = 0;
    } else if (ElapsedMs(startMs) >= kBannerMs && !AnyPanelMode(device)) {
        device.silentUpdate = 1;
        WriteMenuLine(QByteArray(21, ' '));
        device.silentUpdate = 0;
    }
}

// Writes the word of the transport state the status shows, first match
// winning, and returns the state. In the shuttle family the recorder does not
// tell jog, variable speed and shuttle apart; the panel's own dial mode does.
int MainWindow::ShowTransportWord()
{
    if (Bit(1, 1)) {
        WriteFuncString("RECORD");
        return kStateRecord;
    }
    if (Bit(1, 0)) {
        // With status byte 0 bit 4 clear the word carries the display's dot.
        WriteFuncString(Bit(0, 4) ? QByteArray("PLAY") : QByteArray("\xA5 PLAY"));
        return kStatePlay;
    }
    if (Bit(1, 2)) {
        WriteFuncString("FORWARD");
        return kStateForward;
    }
    if (Bit(1, 3)) {
        WriteFuncString("REWIND");
        return kStateRewind;
    }
    if (Bit(2, 5)) {
        if (jogActive) {
            WriteFuncString("JOG");
            return dialForward == 1 ? kStateJogForward : kStateJogReverse;
        }
        if (varActive) {
            WriteFuncString("VAR");
            return kStateVariable;
        }
        WriteFuncString("SHUTTLE");
        return dialForward == 1 ? kStateShuttleForward : kStateShuttleReverse;
    }
    if (Bit(1, 5) || Bit(2, 1))
        WriteFuncString("STOP");
    return kStateStop;
}

void MainWindow::ShowStatusKeys()
{
    ShowFace(control.pbRemoteLocal, Bit(0, 0) ? "LOC.png" : "REM.png");
    ShowFace(control.pbOffLtc, StatusBitSet(kStatusLtcOn) ? "LTC.png" : "OFF.png");
    ShowFace(control.pbATTC, timerMode != 0 ? "AT.png" : "TC.png");
}
