// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controlstate.h"
#include "refusal.h"

#include <QList>
#include <QString>
#include <QStringList>

// What the remote control core asks of the window. The window implements it
// (ui/panel/mainwindowremote.h) by calling the very functions its own keys
// call, guards included, so that a remote command does what the key does and
// is refused where the key would be. Each command returns why it did nothing,
// Refusal::None when it acted, or Refusal::NoAnswer when the recorder did not
// answer its last frame. Everything runs on the GUI thread, between ticks.
class ControlTarget
{
public:
    enum class Side { Recorder, Player };
    enum class Point { In, Out };

    virtual ~ControlTarget() = default;

    // Long work (a disk action, a reload of every segment) or a dialog holds
    // the window: its keys cannot be pressed, and no command may run.
    virtual bool WindowBusy() const = 0;

    // The transport keys: Play, Stop, Play with Lock (record on the recorder
    // side), fast forward, rewind.
    virtual Refusal Play() = 0;
    virtual Refusal Stop() = 0;
    virtual Refusal Record() = 0;
    virtual Refusal FastForward() = 0;
    virtual Refusal Rewind() = 0;
    // Jog mode, then a frame step per frame, back for a negative count.
    virtual Refusal Jog(int frames) = 0;
    // Shuttle mode with the dial at `dialValue` (-120 to 120).
    virtual Refusal Shuttle(int dialValue) = 0;
    // Goto a time text as the keypad takes it ("10:00:00:00").
    virtual Refusal Goto(const QString &time) = 0;
    virtual Refusal ChooseSide(Side side) = 0;

    // The segment list's rows, and a row played or cued as its double click
    // does (under the segment page's edit guard).
    virtual QList<SegmentEntry> Segments() const = 0;
    virtual Refusal PlaySegment(int row) = 0;
    virtual Refusal CueSegment(int row, Point point) = 0;

    // The playlist's keys: play a row (-1: the selected one, else the first),
    // step to the next (1) or previous (-1) row and play it, stop at once.
    virtual PlaylistState Playlist() const = 0;
    virtual Refusal StartPlaylist(int row) = 0;
    virtual Refusal StepPlaylist(int step) = 0;
    virtual Refusal StopPlaylist() = 0;

    // The server page's list, read afresh, and its Load key on a file.
    virtual Refusal ReadFiles(FileListing &files) = 0;
    virtual Refusal LoadFile(const QString &name) = 0;

    // The time-code memories 1-4: Capture (the captured text comes back)
    // and Locate.
    virtual Refusal CaptureMemory(int slot, QString &captured) = 0;
    virtual Refusal LocateMemory(int slot) = 0;

    // The recorders of the "&Connect" menu, and the choice of one.
    virtual QStringList Recorders() const = 0;
    virtual Refusal SelectRecorder(const QString &name) = 0;

    // The state topics.
    virtual ConnectionState Connection() const = 0;
    virtual TimeState Time() const = 0;
    virtual TransportStatus Transport() const = 0;
    virtual SegmentState CurrentSegment() const = 0;
    virtual FileState File() const = 0;
    virtual DisplayState Display() const = 0;
};
