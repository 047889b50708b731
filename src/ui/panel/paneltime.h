// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct TimecodeEntry;

// Times as the keypad, Goto, Set TC and the memories take them from the
// display and send them to the recorder.

// The time a display line shows: the text without its blanks, cut to its
// first 11 characters ("  01:02:03.04 F1" gives "01:02:03.04").
QString ShownTime(const QString &lineText);

// The wire form of a time text ("12:34:56:78", "01020304", "01:02:03.04"),
// with the field mark of this recorder's standard. False for a text that
// holds no time.
bool PackTime(const QString &text, TimecodeEntry &entry);

// Cues the recorder to a time text and waits until it reports the cue-up
// done, for at most a second. False, with nothing sent, when the text holds
// no time.
bool CueToTime(const QString &text);
