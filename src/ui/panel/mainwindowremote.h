// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "remote/controltarget.h"

class MainWindow;

// The window as the remote control sees it. Each command calls what the
// window's key calls, with its guards; where a key has no guard of its own
// against something a remote client must not do unseen (load a file or stop
// the playlist while Delay mode holds the side), the segment page's edit
// guard is asked first. A command reports Refusal::NoAnswer when the last
// frame it sent went unanswered, which the command engine's failure count
// tells. The state topics are read from the pages and the recorder state.
class WindowControl : public ControlTarget
{
public:
    explicit WindowControl(MainWindow &window) : window(window) {}

    bool WindowBusy() const override;

    Refusal Play() override;
    Refusal Stop() override;
    Refusal Record() override;
    Refusal FastForward() override;
    Refusal Rewind() override;
    Refusal Jog(int frames) override;
    Refusal Shuttle(int dialValue) override;
    Refusal Goto(const QString &time) override;
    Refusal ChooseSide(Side side) override;

    QList<SegmentEntry> Segments() const override;
    Refusal PlaySegment(int row) override;
    Refusal CueSegment(int row, Point point) override;

    PlaylistState Playlist() const override;
    Refusal StartPlaylist(int row) override;
    Refusal StepPlaylist(int step) override;
    Refusal StopPlaylist() override;

    Refusal ReadFiles(FileListing &files) override;
    Refusal LoadFile(const QString &name) override;

    Refusal CaptureMemory(int slot, QString &captured) override;
    Refusal LocateMemory(int slot) override;

    QStringList Recorders() const override;
    Refusal SelectRecorder(const QString &name) override;

    ConnectionState Connection() const override;
    TimeState Time() const override;
    TransportStatus Transport() const override;
    SegmentState CurrentSegment() const override;
    FileState File() const override;
    DisplayState Display() const override;

private:
    template <typename F>
    Refusal Answered(F command);
    template <typename F>
    Refusal EditGuarded(F command);
    Refusal EditRefusal() const;
    Refusal PlaylistRefusal() const;
    SegmentEntry SegmentAt(int row) const;
    int SegmentRowNamed(const QByteArray &name) const;
    int SegmentRowNumbered(int number) const;
    qint64 PositionNow() const;
    qint64 Remaining(int segmentRow, bool fromNow) const;
    QString RemainingText(qint64 positions) const;

    MainWindow &window;
};
