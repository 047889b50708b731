// SPDX-License-Identifier: GPL-3.0-or-later
#include "transportkeys.h"

#include "link/linkstatus.h"
#include "panelkeycodes.h"
#include "protocol/commandengine.h"
#include "protocol/commandsend.h"
#include "protocol/recorderstate.h"
#include "protocol/setupcommands.h"
#include "protocol/transportcommands.h"
#include "transportstate.h"
#include "ui/common/faces.h"
#include "ui/common/recordersession.h"

#include <QGridLayout>
#include <QHBoxLayout>

namespace {

using T = TransportKeys;
constexpr Trigger kPressed = Trigger::Pressed;
constexpr Trigger kClicked = Trigger::Clicked;

// The released faces; the panel refresh changes them as the recorder
// reports its state. The fast-forward key wears the "rew" pictures and the
// rewind key the "back" ones.
const KeyEntry<TransportKeys> kKeys[] = {
    {&T::pbOption, "pbOption", "Option.png", "Option", "Tab", kPressed, &T::pbOption_pressed},
    {&T::pbLock, "pbLock", "Lock.png", "Lock", "Ins", kPressed, &T::pbLock_pressed},
    {&T::pbPlay, "pbPlay", "playu.png", "Play", "Space", kClicked, &T::OnPbPlay},
    {&T::pbStop, "pbStop", "stopu.png", "Stop", "S", kClicked, &T::OnPbStop},
    {&T::pbRecord, "pbRecord", "recu.png", "Record", "R", kClicked, &T::OnPbRecord},
    {&T::pbFor, "pbFor", "rewu.png", "Fast forward", "End", kClicked, &T::OnPbFor},
    {&T::pbBack, "pbBack", "backu.png", "Rewind", "Del", kClicked, &T::OnPbBack},
    {&T::pbR, "pbR", "RU.png", "Recorder side", "F2", kPressed, &T::pbR_pressed},
    {&T::pbP, "pbP", "PU.png", "Player side", "F3", kPressed, &T::pbP_pressed},
    {&T::pbATTC, "pbATTC", "TC.png", "Timer/Timecode", "F4", kPressed, &T::pbATTC_pressed},
    {&T::pbOffLtc, "pbOffLtc", "OFF.png", "LTC", "F5", kPressed, &T::pbOffLtc_pressed},
    {&T::pbRemoteLocal, "pbRemoteLocal", "REM.png", "Remote/Local", "F6", kPressed,
     &T::pbRemoteLocal_pressed},
};

// Shuttle speed byte of play speed on the 9-pin scale.
constexpr quint8 kPlaySpeed = 0x40;

// Steps down the recorder's settings menu before the Remote/Local walk gives
// up.
constexpr int kRemoteLocalSteps = 11;

// The faces of the transport keys for each state; a null record face leaves
// the record key as it is, since the record key also shows the edit modes.
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

// By state: play, record, stop, rewind, fast forward, shuttle, jog and
// variable speed forward, shuttle and jog reverse, reverse motion.
const StateFaces kStateFaces[kLastTransportState + 1] = {
    kPlaying, kRecording, kStopped, kReverse, kForward, kForward,
    kForward, kForward,   kReverse, kReverse, kReverse,
};

bool OnOrDown(const QPushButton *key)
{
    return key->isChecked() || key->isDown();
}

// Whether the recorder's menu line, from the reply's second data byte on,
// opens with the number of the Remote/Local entry.
bool ShowsRemoteLocalEntry()
{
    if (!ReplyIsSenseReturn() || ReplyDataCount() < 3)
        return false;
    if (legacyFirmware)
        return ReplyData(1) == '0' && ReplyData(2) == '0';
    return ReplyData(1) == '1';
}

} // namespace

TransportKeys::TransportKeys(RecorderSession &session, QWidget *parent)
    : QGroupBox(parent), session(session)
{
    setProperty("keyGroup", true);
    BuildKeys(*this, this, kKeys);
    pbLock->setCheckable(true);
    pbOption->setCheckable(true);
    LayOut();
}

std::vector<KeyInfo> TransportKeys::Keys()
{
    return DescribeKeys(kKeys, PanelPage::Control);
}

// The sides on the left; the modifiers above the keys they change, Option
// over Play and Lock over Record; the status keys below.
void TransportKeys::LayOut()
{
    auto *grid = new QGridLayout(this);
    grid->setSpacing(4);
    grid->addWidget(pbR, 0, 0, Qt::AlignCenter);
    grid->addWidget(pbP, 0, 1, Qt::AlignCenter);
    grid->addWidget(pbOption, 0, 3, Qt::AlignCenter);
    grid->addWidget(pbLock, 0, 4, Qt::AlignCenter);
    grid->addWidget(pbBack, 1, 0);
    grid->addWidget(pbFor, 1, 1);
    grid->addWidget(pbStop, 1, 2);
    grid->addWidget(pbPlay, 1, 3, Qt::AlignCenter);
    grid->addWidget(pbRecord, 1, 4, Qt::AlignCenter);
    auto *status = new QHBoxLayout;
    status->setSpacing(4);
    status->addWidget(pbRemoteLocal);
    status->addWidget(pbOffLtc);
    status->addWidget(pbATTC);
    grid->addLayout(status, 2, 0, 1, 5);
}

bool TransportKeys::OptionOn() const
{
    return OnOrDown(pbOption);
}

bool TransportKeys::LockOn() const
{
    return OnOrDown(pbLock);
}

void TransportKeys::SwitchModifiersOff()
{
    pbLock->setChecked(false);
    pbOption->setChecked(false);
}

TransportKeys::Modifier TransportKeys::HeldModifier() const
{
    if (OptionOn())
        return Modifier::Option;
    return LockOn() ? Modifier::Lock : Modifier::None;
}

// The five transport keys share their first steps: any time entry ends; the
// jog and slow-motion modes end (Stop leaves them alone without a recorder);
// and nothing is sent without a recorder, while Delay mode holds the side the
// panel drives, or while a panel mode holds the keys.
Refusal TransportKeys::OpenTransportKey(bool stopKey)
{
    session.ResetTimecodeEntry();
    if (!session.Device() && stopKey)
        return Refusal::NoRecorder;
    emit DialModesLeft();
    if (!session.Device())
        return Refusal::NoRecorder;
    if (session.DelayModeHolds())
        return Refusal::DelayMode;
    return session.PanelModeActive() ? Refusal::PanelMode : Refusal::None;
}

void TransportKeys::OnPbPlay()
{
    PlayKey(HeldModifier());
}

void TransportKeys::OnPbRecord()
{
    RecordKey(HeldModifier());
}

void TransportKeys::OnPbStop()
{
    StopKey();
}

void TransportKeys::OnPbFor()
{
    ForwardKey();
}

void TransportKeys::OnPbBack()
{
    RewindKey(HeldModifier());
}

// Option plays the recorder's own way; Lock records, on the recorder side.
Refusal TransportKeys::PlayKey(Modifier modifier)
{
    const Refusal refusal = OpenTransportKey(false);
    if (refusal != Refusal::None)
        return refusal;
    if (modifier == Modifier::Option) {
        OptionPlay();
    } else if (modifier == Modifier::Lock) {
        LightRecordKey();
        pbR_pressed();
        Record();
    } else {
        Play();
    }
    SwitchModifiersOff();
    return Refusal::None;
}

// The record key arms the recorder's input: full E-E, select E-E with
// Option, edit with Lock. It releases the modifiers even when a panel mode
// holds it.
Refusal TransportKeys::RecordKey(Modifier modifier)
{
    const Refusal refusal = OpenTransportKey(false);
    if (refusal == Refusal::None) {
        if (modifier == Modifier::Option)
            SelectEeOn();
        else if (modifier == Modifier::Lock)
            EditOn();
        else
            FullEeOn();
    }
    if (refusal == Refusal::None || refusal == Refusal::PanelMode)
        SwitchModifiersOff();
    return refusal;
}

Refusal TransportKeys::StopKey()
{
    const Refusal refusal = OpenTransportKey(true);
    if (refusal != Refusal::None)
        return refusal;
    EndEditModes();
    Stop();
    SwitchModifiersOff();
    return Refusal::None;
}

Refusal TransportKeys::ForwardKey()
{
    const Refusal refusal = OpenTransportKey(false);
    if (refusal != Refusal::None)
        return refusal;
    EndEditModes();
    FastForward();
    SwitchModifiersOff();
    return Refusal::None;
}

// With Option the rewind key shuttles back at play speed instead.
Refusal TransportKeys::RewindKey(Modifier modifier)
{
    const Refusal refusal = OpenTransportKey(false);
    if (refusal != Refusal::None)
        return refusal;
    EndEditModes();
    if (modifier == Modifier::Option)
        Shuttle(kPlaySpeed, false);
    else
        Rewind();
    SwitchModifiersOff();
    return Refusal::None;
}

void TransportKeys::pbLock_pressed()
{
    session.ResetTimecodeEntry();
}

void TransportKeys::pbOption_pressed()
{
    session.ResetTimecodeEntry();
}

// The side is set before the recorder is asked, so that a panel without a
// recorder still counts as being on the recorder side.
void TransportKeys::pbR_pressed()
{
    if (recPlayMode == kRecorderSide)
        return;
    recPlayMode = kRecorderSide;
    if (session.Device())
        ChooseSide(kRecorderSide);
}

void TransportKeys::pbP_pressed()
{
    if (recPlayMode == kPlayerSide || !session.Device())
        return;
    ChooseSide(kPlayerSide);
}

// Only a recorder set up as one recorder and one player ("1R-1P") has a
// player side; any other shows the single R/P key and stays on the recorder.
// A recorder whose setup could not be read said nothing about its sides: the
// panel shows both keys on the side it counts as driving, and the next press
// asks again.
void TransportKeys::ChooseSide(qint32 side)
{
    bool available = false;
    if (PlayerModeSense(available) != kStatusOk) {
        ShowSideKeys(recPlayMode == kPlayerSide);
        return;
    }
    if (!available) {
        ShowFace(pbR, "RP.png");
        pbP->hide();
        recPlayMode = kRecorderSide;
        return;
    }
    RecorderPlayerSelect(static_cast<quint8>(side));
    recPlayMode = side;
    ShowSideKeys(side == kPlayerSide);
    emit SideChosen();
    session.ResetTimecodeEntry();
}

void TransportKeys::ShowSideKeys(bool player)
{
    pbP->show();
    ShowFace(pbP, player ? "PD.png" : "PU.png");
    ShowFace(pbR, player ? "RU.png" : "RD.png");
}

// The recorder has no remote/local command: the key walks the recorder's
// settings menu to the entry that holds it and toggles that entry. The entry
// is numbered 1, or 00 on older firmware.
void TransportKeys::pbRemoteLocal_pressed()
{
    if (session.DelayModeHolds())
        return;
    FrontPanelKey(kMenuKey);
    for (int step = 0; step < kRemoteLocalSteps; ++step) {
        FrontPanelKey(kUpKey);
        if (ShowsRemoteLocalEntry()) {
            FrontPanelKey(kRemoteLocalToggleKey);
            session.LeavePanelModes();
            return;
        }
    }
}

void TransportKeys::pbOffLtc_pressed()
{
    if (!session.DelayModeHolds())
        OffLtcKey();
}

// The segment list shows times in the recorder's time mode, so it is read
// again after a change.
void TransportKeys::pbATTC_pressed()
{
    if (session.DelayModeHolds())
        return;
    ToggleTimerMode();
    session.reloadSegmentList();
}

void TransportKeys::LightRecordKey()
{
    ShowFace(pbRecord, "recd.png");
}

void TransportKeys::SetNewState(int state)
{
    if (state == transportState)
        return;
    if (state >= kStatePlay && state <= kLastTransportState) {
        const StateFaces &faces = kStateFaces[state];
        ShowFace(pbPlay, faces.play);
        if (faces.record)
            ShowFace(pbRecord, faces.record);
        ShowFace(pbStop, faces.stop);
        ShowFace(pbBack, faces.rewind);
        ShowFace(pbFor, faces.forward);
        transportState = state;
    }
    UpdateLCD();
}

void TransportKeys::UpdateLCD() {}

void TransportKeys::ShowRecordFace()
{
    if (StatusBitSet(kStatusEditOn) || StatusBitSet(kStatusFullEeOn))
        ShowFace(pbRecord, "recd.png");
    else if (!StatusBitSet(kStatusRecording))
        ShowFace(pbRecord, "recu.png");
}

void TransportKeys::ShowStatusKeys()
{
    ShowFace(pbRemoteLocal, StatusBitSet(kStatusLocal) ? "LOC.png" : "REM.png");
    ShowFace(pbOffLtc, StatusBitSet(kStatusLtcOn) ? "LTC.png" : "OFF.png");
    ShowFace(pbATTC, timerMode != 0 ? "AT.png" : "TC.png");
}
