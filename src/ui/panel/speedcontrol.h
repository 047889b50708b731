#pragma once

#include "ui/common/keytable.h"

#include <QGroupBox>

class QDial;
class QLabel;
class QSlider;
class RecorderSession;

// Jog, shuttle and slow motion: the dial, the slow-motion slider that takes
// its place with five speed marks beside it, and the three mode keys above.
class SpeedControl : public QGroupBox
{
    Q_OBJECT

public:
    SpeedControl(RecorderSession &session, QWidget *parent);

    static std::vector<KeyInfo> Keys();
    void languageChange();

    // The dial's mode as the panel refresh reads it to tell jog, variable
    // speed and shuttle apart, and the direction of the last speed sent.
    bool JogActive() const { return jogActive != 0; }
    bool VarActive() const { return varActive != 0; }
    bool DialForward() const { return dialForward == 1; }

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

private:
    void BuildDial();
    QWidget *BuildSlider();
    void LayOut();

    RecorderSession &session;
    quint8 jogActive = 0;
    quint8 varActive = 0;
    quint8 dialForward = 0;
    qint32 dialLastValue = 0;
};
