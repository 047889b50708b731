// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The transport vocabulary of the remote panel: motion, cue-up, edit modes,
// in and out points, LTC and the timer mode. Each function sends one frame and
// waits for the recorder's answer; each returns the status of the exchange
// (link/linkstatus.h), or kStatusNak (commandsend.h) when the recorder refused
// the command. Callers of the motion commands usually ignore it: the next
// status sense shows what the recorder did.

qint16 Stop();
qint16 Play();
qint16 Record();
qint16 FastForward();
qint16 Rewind();
qint16 FrameStepForward();
qint16 FrameStepReverse();

// Shuttle at a one-byte speed, forward when `forward` is set.
qint16 Shuttle(quint8 speed, bool forward);

// Jog at a two-byte speed (high byte first), forward when `forward` is set.
qint16 ShuttleFine(quint16 speed, bool forward);

// The recorder's own play variant, sent by Play with the option key down.
qint16 OptionPlay();

// Cue up to a timecode: callers pass five bytes, the four wire bytes of
// PackTimecodeBcd and a zero.
qint16 CueUpWithData(int count, const quint8 *bytes);

// Cue up to a position by its frame number, for positions beyond what 48
// hours of timecode can address. Sent big-endian.
qint16 CueUpToFrame(quint32 position);

// Polls the status until the recorder reports the cue-up complete, a second
// has passed or the recorder is marked lost. Never reports failure: callers
// go on either way.
void WaitCueUpComplete();

qint16 EditOn();
qint16 FullEeOn();
qint16 SelectEeOn();
qint16 EditOff();
qint16 FullEeOff();
qint16 EditPreset(quint8 value);

// Leaves the recorder's edit modes before a transport change: resets an armed
// edit preset, then ends edit and full E-E as the last status sense shows
// them on. Sends nothing when none is on.
void EndEditModes();

qint16 LtcOff();
qint16 LtcOn();

// The Off/LTC key: with LTC on it switches it off; otherwise it sends LTC off
// and then LTC on. Returns the status of the last frame.
qint16 OffLtcKey();

qint16 InEntry();
qint16 OutEntry();

// Sets the recorder's timecode generator: callers pass the four wire bytes.
qint16 TimecodePreset(int count, const quint8 *bytes);

qint16 TimerModeSelect(quint8 mode);

// The AT/TC key: asks for the timer when the recorder shows timecode and for
// timecode when it shows the timer.
qint16 ToggleTimerMode();

// Sends a front-panel key code. The recorder answers with its display text,
// which the caller reads from ReplyFrame.
qint16 FrontPanelKey(quint8 key);
