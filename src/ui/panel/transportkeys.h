// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "remote/refusal.h"
#include "transportstate.h"
#include "ui/common/keytable.h"

#include <QGroupBox>

class RecorderSession;

// The transport section of the panel: play, stop, record, fast forward and
// rewind, the modifier toggles Lock and Option, the recorder and player side
// keys, and the Remote/Local, LTC and AT/TC status keys. The keys send
// commands; what they show comes only from the recorder's status.
class TransportKeys : public QGroupBox
{
    Q_OBJECT

public:
    TransportKeys(RecorderSession &session, QWidget *parent);

    static std::vector<KeyInfo> Keys();

    // The modifier a transport key takes: Option before Lock.
    enum class Modifier { None, Option, Lock };
    Modifier HeldModifier() const;

    // What the transport keys do, pressed in the window (with the modifier
    // held there) or asked for by a remote client; each returns why it sent
    // nothing. Play with Lock records on the recorder side.
    Refusal PlayKey(Modifier modifier);
    Refusal RecordKey(Modifier modifier);
    Refusal StopKey();
    Refusal ForwardKey();
    Refusal RewindKey(Modifier modifier);

    // The transport state 0-10 last shown; -1 before the first.
    int TransportState() const { return transportState; }

    // The modifiers count while switched on or held down.
    bool OptionOn() const;
    bool LockOn() const;
    void SwitchModifiersOff();

    // The record key from the last status: lit by the edit modes as well as
    // by recording.
    void ShowRecordFace();
    // Remote/Local, LTC and AT/TC from the last status and timer mode.
    void ShowStatusKeys();
    // Shows the record key pressed at once, before the status tells.
    void LightRecordKey();

    QPushButton *pbPlay = nullptr;
    QPushButton *pbStop = nullptr;
    QPushButton *pbRecord = nullptr;
    QPushButton *pbFor = nullptr;
    QPushButton *pbBack = nullptr;
    QPushButton *pbLock = nullptr;
    QPushButton *pbOption = nullptr;
    QPushButton *pbR = nullptr;
    QPushButton *pbP = nullptr;
    QPushButton *pbRemoteLocal = nullptr;
    QPushButton *pbOffLtc = nullptr;
    QPushButton *pbATTC = nullptr;

public slots:
    void OnPbPlay();
    void OnPbRecord();
    void OnPbStop();
    void OnPbFor();
    void OnPbBack();
    void pbLock_pressed();
    void pbOption_pressed();
    void pbR_pressed();
    void pbP_pressed();
    void pbRemoteLocal_pressed();
    void pbOffLtc_pressed();
    void pbATTC_pressed();
    // Shows a transport state 0-10 on the five transport keys; another value
    // changes nothing. UpdateLCD runs unless the state is already shown.
    void SetNewState(int state);
    void UpdateLCD();

signals:
    // A transport key ends jog and slow motion.
    void DialModesLeft();
    // The panel changed to the recorder or the player side; the panel's
    // modes end with it.
    void SideChosen();

private:
    Refusal OpenTransportKey(bool stopKey);
    void ChooseSide(qint32 side);
    void ShowSideKeys(bool player);
    void LayOut();

    RecorderSession &session;
    int transportState = kNoTransportState;
};
