// SPDX-License-Identifier: GPL-3.0-or-later
#include "speedcontrol.h"

#include "devices/devicerecord.h"
#include "panelkeycodes.h"
#include "protocol/transportcommands.h"
#include "speedtables.h"
#include "transportkeys.h"
#include "transportstate.h"
#include "ui/common/faces.h"
#include "ui/common/recordersession.h"
#include "ui/common/widgetfactory.h"

#include <QDial>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <cstdlib>

namespace {

using S = SpeedControl;
constexpr Trigger kPressed = Trigger::Pressed;

const KeyEntry<SpeedControl> kKeys[] = {
    {&S::rbJog, "rbJog", "rbu.png", "Jog", "F7", kPressed, &S::rbJog_pressed},
    {&S::rbShuttle, "rbShuttle", "rbu.png", "Shuttle", "F8", kPressed, &S::rbShuttle_pressed},
    {&S::rbSloMo, "rbSloMo", "rbu.png", "Slow motion", "F9", kPressed, &S::rbSloMo_pressed},
};

// The slider's speed marks from top to bottom, with their texts.
struct Mark
{
    QLabel *SpeedControl::*label;
    const char *name;
    const char *text;
};

const Mark kMarks[] = {
    {&S::sliderTxt1, "sliderTxt1", "+ 200%"}, {&S::sliderTxt4, "sliderTxt4", "+ 100%"},
    {&S::sliderTxt2, "sliderTxt2", "0%"},     {&S::sliderTxt5, "sliderTxt5", "- 100%"},
    {&S::sliderTxt3, "sliderTxt3", "- 200%"},
};

// The slider runs from -60 at the top to 60 at the bottom.
constexpr int kSliderEnd = 60;

// A jog step takes this many dial units (half a notch).
constexpr int kJogStepUnits = 5;

QWidget *ModeRow(QWidget *parent, QPushButton *key, QLabel *label)
{
    auto *box = new QWidget(parent);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    row->addWidget(key);
    row->addWidget(label);
    return box;
}

} // namespace

SpeedControl::SpeedControl(RecorderSession &session, const TransportKeys &transport,
                           QWidget *parent)
    : QGroupBox(parent), session(session), transport(transport)
{
    setProperty("keyGroup", true);
    BuildKeys(*this, this, kKeys);
    textLabel4_2 = NewLabel(this, "textLabel4_2");
    textLabel5 = NewLabel(this, "textLabel5");
    textLabel6 = NewLabel(this, "textLabel6");
    BuildDial();
    LayOut();
    connect(potent, &QDial::valueChanged, this, &SpeedControl::potent_valueChanged);
    // Every change the operator makes counts, not the drag alone: a click in
    // the groove, the wheel and the keys move the slider too, and a slider
    // that showed a speed the recorder was never sent would mislead.
    connect(slider, &QSlider::valueChanged, this, &SpeedControl::slider_sliderMoved);
}

std::vector<KeyInfo> SpeedControl::Keys()
{
    return DescribeKeys(kKeys, PanelPage::Control);
}

void SpeedControl::languageChange()
{
    textLabel4_2->setText(QStringLiteral("Jog"));
    textLabel5->setText(QStringLiteral("Shuttle"));
    textLabel6->setText(QStringLiteral("Slo Mo"));
    for (const Mark &mark : kMarks)
        (this->*mark.label)->setText(QLatin1String(mark.text));
}

void SpeedControl::BuildDial()
{
    potent = NewNamed<QDial>(this, "potent");
    potent->setRange(-120, 120);
    potent->setWrapping(false);
    potent->setNotchTarget(10.0);
    potent->setNotchesVisible(true);
    potent->setValue(0);
    potent->setFocusPolicy(Qt::NoFocus);
    potent->setMinimumSize(96, 96);
    Describe(potent, "Dial");
}

// The dial and the slow-motion slider share one place: slow motion hides the
// dial and shows the slider with its five speed marks.
QWidget *SpeedControl::BuildSlider()
{
    auto *box = new QWidget(this);
    auto *row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    slider = NewNamed<QSlider>(box, "slider");
    slider->setOrientation(Qt::Vertical);
    slider->setRange(-kSliderEnd, kSliderEnd);
    slider->setSingleStep(1);
    slider->setValue(0);
    slider->setTickPosition(QSlider::NoTicks);
    slider->setInvertedAppearance(true); // -60 at the top end
    slider->setFocusPolicy(Qt::NoFocus);
    slider->hide();
    Describe(slider, "Slow motion speed");
    auto *marks = new QVBoxLayout;
    marks->setSpacing(0);
    for (const Mark &mark : kMarks) {
        if (mark.label != kMarks[0].label)
            marks->addStretch(1);
        QLabel *label = NewLabel(box, mark.name);
        label->hide();
        marks->addWidget(label);
        this->*mark.label = label;
    }
    row->addWidget(slider);
    row->addLayout(marks);
    return box;
}

void SpeedControl::LayOut()
{
    auto *column = new QVBoxLayout(this);
    column->setSpacing(2);
    column->addWidget(ModeRow(this, rbJog, textLabel4_2));
    column->addWidget(ModeRow(this, rbShuttle, textLabel5));
    column->addWidget(ModeRow(this, rbSloMo, textLabel6));
    auto *place = new QHBoxLayout;
    place->addWidget(potent, 1);
    place->addWidget(BuildSlider());
    column->addLayout(place, 1);
}

// The mode keys act only for a recorder whose panel is free.
Refusal SpeedControl::ModeKeyRefusal() const
{
    if (!session.Device())
        return Refusal::NoRecorder;
    if (session.PanelModeActive())
        return Refusal::PanelMode;
    return session.DelayModeHolds() ? Refusal::DelayMode : Refusal::None;
}

// The dial and the slider share one place.
void SpeedControl::ShowDial(bool dial)
{
    slider->setVisible(!dial);
    for (const Mark &mark : kMarks)
        (this->*mark.label)->setVisible(!dial);
    potent->setVisible(dial);
}

void SpeedControl::LightModeKey(const QPushButton *lit)
{
    for (QPushButton *key : {rbJog, rbShuttle, rbSloMo})
        ShowFace(key, key == lit ? "rbd.png" : "rbu.png");
}

// The range and value change through the dial, so its handler runs for them
// with the modes as they stand before the caller changes them.
void SpeedControl::SetUpDial(const DialSetup &setup)
{
    potent->setWrapping(setup.wrapping);
    potent->setRange(setup.minimum, setup.maximum);
    potent->setNotchTarget(10.0);
    potent->setValue(setup.value);
}

// A mode key's own set-up is no turn of the dial. Taken as one, it would
// send what the previous mode makes of the new value: a shuttle at the jog
// wheel's middle speed, a frame step back when jog gives way to shuttle, or
// a shuttle set-up in place of the jog wheel on a dial in no mode yet.
void SpeedControl::SetUpDialQuietly(const DialSetup &setup)
{
    const QSignalBlocker quiet(potent);
    SetUpDial(setup);
}

// The jog stops the recorder's motion and counts its steps from the middle
// of the wheel, where the dial now stands.
void SpeedControl::rbJog_pressed()
{
    if (ModeKeyRefusal() != Refusal::None)
        return;
    ShowDial(true);
    SetUpDialQuietly(kJogDial);
    varActive = 0;
    jogActive = 1;
    dialLastValue = potent->value();
    EndEditModes();
    ShuttleFine(0, true);
    LightModeKey(rbJog);
    session.SwitchModifiersOff();
}

// Shuttle stops the recorder on a centred dial; it leaves the recorder's
// edit modes as they are.
void SpeedControl::rbShuttle_pressed()
{
    if (ModeKeyRefusal() != Refusal::None)
        return;
    ShowShuttleDial(kShuttleDial.value);
    Shuttle(0, true);
    LightModeKey(rbShuttle);
}

void SpeedControl::ShowShuttleDial(int value)
{
    ShowDial(true);
    SetUpDialQuietly({kShuttleDial.minimum, kShuttleDial.maximum, kShuttleDial.wrapping, value});
    session.SwitchModifiersOff();
    varActive = 0;
    jogActive = 0;
    dialLastValue = 0;
}

Refusal SpeedControl::EnterJog()
{
    const Refusal refusal = ModeKeyRefusal();
    if (refusal == Refusal::None && jogActive == 0)
        rbJog_pressed();
    return refusal;
}

Refusal SpeedControl::ShuttleAt(int value)
{
    const Refusal refusal = ModeKeyRefusal();
    if (refusal != Refusal::None)
        return refusal;
    ShowShuttleDial(value);
    SendShuttleSpeed(value);
    LightModeKey(rbShuttle);
    return Refusal::None;
}

// Slow motion sends nothing until the slider is moved.
void SpeedControl::rbSloMo_pressed()
{
    if (ModeKeyRefusal() != Refusal::None)
        return;
    ShowDial(false);
    session.SwitchModifiersOff();
    varActive = 1;
    jogActive = 0;
    dialLastValue = 0;
    EndEditModes();
    LightModeKey(rbSloMo);
    // Slow motion starts from the middle, where no speed is sent.
    sliderSentValue = 0;
    ShowSentSpeed();
}

void SpeedControl::potent_valueChanged(int value)
{
    DeviceRecord *device = session.Device();
    if (!device || session.DelayModeHolds())
        return;
    const bool shuttling = ShuttleState(transport.TransportState());
    if (device->fileSelectMode)
        BrowseFiles(value);
    else if (varActive == 1)
        SendVariableSpeed(value);
    else if (shuttling && jogActive == 0 && !session.PanelModeActive())
        SendShuttleSpeed(value);
    else if (jogActive == 1)
        StepJog(value);
    else
        rbShuttle_pressed();
}

// How far the dial turned since dialLastValue. On a wrapping dial the two
// ends of the range meet, so the turn is taken the short way round: from 98
// past the top to 2 is a small turn forward, not most of a turn back.
int SpeedControl::DialTurn(int value) const
{
    int turn = value - dialLastValue;
    if (!potent->wrapping())
        return turn;
    const int round = potent->maximum() - potent->minimum();
    if (turn > round / 2)
        turn -= round;
    else if (turn < -round / 2)
        turn += round;
    return turn;
}

// While a file name is typed the dial does not browse.
void SpeedControl::BrowseFiles(int value)
{
    const DeviceRecord *device = session.Device();
    if (dialClipSelect == 0 || device->fileAction == -1)
        return;
    const int turn = DialTurn(value);
    if (turn >= 1)
        session.SendPanelKey(kFileBrowserNextKey);
    else if (turn <= -1)
        session.SendPanelKey(kFileBrowserNextAllKey);
    dialLastValue = value;
}

// The dial's variable speed always runs forward.
void SpeedControl::SendVariableSpeed(int value)
{
    if (!session.PanelModeActive()) {
        EndEditModes();
        ShuttleFine(DialVariableSpeed(value), true);
    }
    session.SwitchModifiersOff();
}

// The distance from the centre gives the speed, the side the direction.
void SpeedControl::SendShuttleSpeed(int value)
{
    const bool forward = value >= 0;
    Shuttle(ShuttleSpeed(std::abs(value)), forward);
    dialForward = forward ? 1 : 0;
    session.SwitchModifiersOff();
}

// One frame for every half notch, whatever the size of the turn.
void SpeedControl::StepJog(int value)
{
    const int turn = DialTurn(value);
    if (turn >= kJogStepUnits)
        emit JogForward();
    else if (turn <= -kJogStepUnits)
        emit JogBack();
    if (std::abs(turn) >= kJogStepUnits)
        dialLastValue = value;
    session.SwitchModifiersOff();
}

// The top of the slider (-60) is full speed forward. A move that sends no
// speed puts the slider back where it was, so that it always shows the
// speed last sent.
void SpeedControl::slider_sliderMoved(int value)
{
    if (session.Device() && session.DelayModeHolds()) {
        ShowSentSpeed();
        return;
    }
    if (varActive != 1) {
        rbSloMo_pressed();
        ShowSentSpeed();
        return;
    }
    const bool forward = value < 0;
    dialForward = forward ? 1 : 0;
    const quint16 speed = SlowMotionSpeed(std::abs(value));
    if (!session.Device()) {
        ShowSentSpeed();
        return;
    }
    if (session.PanelModeActive()) {
        ShowSentSpeed();
    } else {
        EndEditModes();
        ShuttleFine(speed, forward);
        sliderSentValue = value;
    }
    session.SwitchModifiersOff();
}

void SpeedControl::ShowSentSpeed()
{
    const QSignalBlocker quiet(slider);
    slider->setValue(sliderSentValue);
}

void SpeedControl::LeaveDialModes()
{
    LightModeKey(nullptr);
    varActive = 0;
    jogActive = 0;
}

void SpeedControl::SetUpClipSelection()
{
    dialClipSelect = 0;
    SetUpDial(kClipSelectDial);
    dialLastValue = kClipSelectDial.maximum;
    dialClipSelect = 1;
}

// The set-up is no turn: taken as one it would step the browser a file on,
// or, with no browser open, select shuttle and stop a playing recorder.
void SpeedControl::SetUpBrowserDial(const DialSetup &setup)
{
    LeaveDialModes();
    ShowDial(true);
    SetUpDialQuietly(setup);
    dialLastValue = setup.value;
}
