#include "transportkeys.h"

#include "protocol/recorderstate.h"
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

constexpr int kLastKnownState = 10;

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
const StateFaces kStateFaces[kLastKnownState + 1] = {
    kPlaying, kRecording, kStopped, kReverse, kForward, kForward,
    kForward, kForward,   kReverse, kReverse, kReverse,
};

bool Bit(int byte, int bit)
{
    return (statusBytes[byte] >> bit) & 1;
}

bool OnOrDown(const QPushButton *key)
{
    return key->isChecked() || key->isDown();
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

void TransportKeys::OnPbPlay() {}

void TransportKeys::OnPbRecord() {}

void TransportKeys::OnPbStop() {}

void TransportKeys::OnPbFor() {}

void TransportKeys::OnPbBack() {}

void TransportKeys::pbLock_pressed() {}

void TransportKeys::pbOption_pressed() {}

void TransportKeys::pbR_pressed() {}

void TransportKeys::pbP_pressed() {}

void TransportKeys::pbRemoteLocal_pressed() {}

void TransportKeys::pbOffLtc_pressed() {}

void TransportKeys::pbATTC_pressed() {}

void TransportKeys::SetNewState(int state)
{
    if (state == transportState)
        return;
    if (state >= 0 && state <= kLastKnownState) {
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
    else if (!Bit(1, 1))
        ShowFace(pbRecord, "recu.png");
}

void TransportKeys::ShowStatusKeys()
{
    ShowFace(pbRemoteLocal, Bit(0, 0) ? "LOC.png" : "REM.png");
    ShowFace(pbOffLtc, StatusBitSet(kStatusLtcOn) ? "LTC.png" : "OFF.png");
    ShowFace(pbATTC, timerMode != 0 ? "AT.png" : "TC.png");
}
