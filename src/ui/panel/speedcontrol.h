// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "remote/refusal.h"
#include "ui/common/keytable.h"

#include <QGroupBox>

class QDial;
class QLabel;
class QSlider;
class RecorderSession;
class TransportKeys;
struct DialSetup;

// Jog, shuttle and slow motion: the dial, the slow-motion slider that takes
// its place with five speed marks beside it, and the three mode keys above.
// The dial also steps through the recorder's files while the panel's file
// browser is up. Shuttle turns take effect only once the recorder reports
// shuttle, which the transport keys show.
class SpeedControl : public QGroupBox
{
    Q_OBJECT

public:
    SpeedControl(RecorderSession &session, const TransportKeys &transport, QWidget *parent);

    static std::vector<KeyInfo> Keys();
    void languageChange();

    // The dial's mode as the panel refresh reads it to tell jog, variable
    // speed and shuttle apart, and the direction of the last speed sent.
    bool JogActive() const { return jogActive != 0; }
    bool VarActive() const { return varActive != 0; }
    bool DialForward() const { return dialForward == 1; }

    // Jog mode as the jog key sets it up, unless the dial is in it already;
    // why not, when the mode keys are held.
    Refusal EnterJog();
    // Shuttle mode as the shuttle key sets it up, with the dial turned to
    // `value` (-120 to 120) and its speed sent at once, as a turn of the
    // dial sends it once the recorder shuttles.
    Refusal ShuttleAt(int value);

    // Ends jog and slow motion, as a transport key does: no mode key lit.
    // The slider stays where it is until the dial is set up again.
    void LeaveDialModes();
    // The dial as the file browser uses it, each notch one file; turns
    // before this is done are not taken for file steps.
    void SetUpClipSelection();
    // Ends jog and slow motion and shows the dial, set up for the browser
    // that Recall or Clear opened.
    void SetUpBrowserDial(const DialSetup &setup);

    QPushButton *rbJog = nullptr;
    QPushButton *rbShuttle = nullptr;
    QPushButton *rbSloMo = nullptr;
    QDial *potent = nullptr;
    QSlider *slider = nullptr;
    QLabel *sliderTxt1 = nullptr; // + 200 %, at the top
    QLabel *sliderTxt2 = nullptr; // 0 %
    QLabel *sliderTxt3 = nullptr; // - 200 %, at the bottom
    QLabel *sliderTxt4 = nullptr; // + 100 %
    QLabel *sliderTxt5 = nullptr; // - 100 %
    QLabel *textLabel4_2 = nullptr;
    QLabel *textLabel5 = nullptr;
    QLabel *textLabel6 = nullptr;

public slots:
    void rbJog_pressed();
    void rbShuttle_pressed();
    void rbSloMo_pressed();
    void potent_valueChanged(int value);
    void slider_sliderMoved(int value);

signals:
    // A jog step of one frame, taken by the frame step keys.
    void JogForward();
    void JogBack();

private:
    Refusal ModeKeyRefusal() const;
    void ShowShuttleDial(int value);
    void ShowDial(bool dial);
    void LightModeKey(const QPushButton *lit);
    void SetUpDial(const DialSetup &setup);
    void SetUpDialQuietly(const DialSetup &setup);
    int DialTurn(int value) const;
    void BrowseFiles(int value);
    void SendVariableSpeed(int value);
    void SendShuttleSpeed(int value);
    void StepJog(int value);
    void ShowSentSpeed();

    void BuildDial();
    QWidget *BuildSlider();
    void LayOut();

    RecorderSession &session;
    const TransportKeys &transport;
    quint8 jogActive = 0;
    quint8 varActive = 0;
    quint8 dialForward = 0;
    qint32 dialLastValue = 0;
    quint8 dialClipSelect = 0;
    // Where the slider stood when it last sent a speed.
    int sliderSentValue = 0;
};
