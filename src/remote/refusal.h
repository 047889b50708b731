// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// Why a command was not run, whichever way it came: a key of the window or a
// client of the remote control. The window's guards give the first four (a
// key acts on nothing without a recorder, leaves alone the side that Delay
// mode holds, and gives way to the recorder's menu and to long work); the
// remote control adds the rest. Each has a code that programs read and a
// sentence for people, both in refusal.cpp.
enum class Refusal {
    None,
    NoRecorder,
    DelayMode,
    PanelMode,
    LongWork,
    NoAnswer,
    NotFound,
    Unavailable,
    BadValue,
    NotConfirmed,
    ReadOnly,
    Busy,
    UnknownMethod,
    BadRequest,
};

// "no-recorder", "delay-mode", ...
QString RefusalCode(Refusal refusal);
// "no recorder is being controlled", ...
QString RefusalMessage(Refusal refusal);
// Every refusal but None, in the order above.
QList<Refusal> AllRefusals();
