// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The speeds the panel's dial and slider send, on the recorder's 9-pin speed
// scale: a byte for the shuttle command, a word (high byte first) for the
// fine shuttle command, where 0x4000 is play speed.

// One row of a speed table: the speed for every value up to and including
// `upTo`. Rows ascend; values above the last row take its speed.
struct SpeedStep
{
    int upTo;
    quint16 speed;
};

// The shuttle byte for the dial's distance from its centre, 0-120.
quint8 ShuttleSpeed(int distance);

// The fine shuttle word for the dial's value in variable speed.
quint16 DialVariableSpeed(int value);

// The fine shuttle word for the slow-motion slider's distance from its
// centre, 0-60: play speed from 35 to 45 (the "100%" marks), 0x4800 at the
// ends (the "200%" marks).
quint16 SlowMotionSpeed(int distance);

// How the dial is set up for each of its uses.
struct DialSetup
{
    int minimum;
    int maximum;
    bool wrapping;
    int value;
};

// Jog: a wheel without end, steps counted from the middle.
inline constexpr DialSetup kJogDial{0, 100, true, 50};
// Shuttle: full reverse to full forward, stopped in the middle.
inline constexpr DialSetup kShuttleDial{-120, 120, false, 0};
// The file browser on the display: each notch one file.
inline constexpr DialSetup kClipSelectDial{0, 10, true, 0};
// The browser opened by Recall starts in the middle, the one opened to
// delete files on a jog wheel's middle.
inline constexpr DialSetup kRecallDial{0, 10, true, 5};
inline constexpr DialSetup kDeleteDial{0, 100, true, 50};
