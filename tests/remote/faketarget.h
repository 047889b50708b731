// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "remote/controltarget.h"

#include <QStringList>

// A window as the core sees it, without a window: it records the commands it
// is asked for ("play", "jog -3", "segment play 1") and answers what the
// test sets. Its state is plain members a test changes between polls.
class FakeTarget : public ControlTarget
{
public:
    bool WindowBusy() const override { return busy; }

    Refusal Play() override { return Did(QStringLiteral("play")); }
    Refusal Stop() override { return Did(QStringLiteral("stop")); }
    Refusal Record() override { return Did(QStringLiteral("record")); }
    Refusal FastForward() override { return Did(QStringLiteral("forward")); }
    Refusal Rewind() override { return Did(QStringLiteral("rewind")); }
    Refusal Jog(int frames) override { return Did(QStringLiteral("jog %1").arg(frames)); }
    Refusal Shuttle(int value) override { return Did(QStringLiteral("shuttle %1").arg(value)); }
    Refusal Goto(const QString &time) override { return Did(QStringLiteral("goto ") + time); }
    Refusal ChooseSide(Side side) override
    {
        return Did(side == Side::Player ? QStringLiteral("side player")
                                        : QStringLiteral("side recorder"));
    }

    QList<SegmentEntry> Segments() const override { return segments; }
    Refusal PlaySegment(int row) override
    {
        return Did(QStringLiteral("segment play %1").arg(row));
    }
    Refusal CueSegment(int row, Point point) override
    {
        return Did(
            QStringLiteral("segment cue %1 %2").arg(row).arg(point == Point::In ? "in" : "out"));
    }

    PlaylistState Playlist() const override { return playlist; }
    Refusal StartPlaylist(int row) override
    {
        return Did(QStringLiteral("playlist start %1").arg(row));
    }
    Refusal StepPlaylist(int step) override
    {
        return Did(QStringLiteral("playlist step %1").arg(step));
    }
    Refusal StopPlaylist() override { return Did(QStringLiteral("playlist stop")); }

    Refusal ReadFiles(FileListing &listing) override
    {
        listing = files;
        return Did(QStringLiteral("file list"));
    }
    Refusal LoadFile(const QString &name) override
    {
        return Did(QStringLiteral("file load ") + name);
    }

    Refusal CaptureMemory(int slot, QString &captured) override
    {
        captured = QStringLiteral("01:02:03.04");
        return Did(QStringLiteral("memory capture %1").arg(slot));
    }
    Refusal LocateMemory(int slot) override
    {
        return Did(QStringLiteral("memory locate %1").arg(slot));
    }

    QStringList Recorders() const override { return recorders; }
    Refusal SelectRecorder(const QString &name) override
    {
        return Did(QStringLiteral("recorder ") + name);
    }

    ConnectionState Connection() const override { return connection; }
    TimeState Time() const override { return time; }
    TransportStatus Transport() const override { return transport; }
    SegmentState CurrentSegment() const override { return segment; }
    FileState File() const override { return file; }
    DisplayState Display() const override { return display; }

    // The recorder's time moves on by a frame.
    void NextFrame()
    {
        time.known = true;
        if (++time.frames == 25) {
            time.frames = 0;
            ++time.seconds;
        }
    }

    QStringList done;
    Refusal answer = Refusal::None;
    bool busy = false;

    QList<SegmentEntry> segments;
    PlaylistState playlist;
    FileListing files;
    QStringList recorders;
    ConnectionState connection;
    TimeState time;
    TransportStatus transport;
    SegmentState segment;
    FileState file;
    DisplayState display;

private:
    Refusal Did(const QString &command)
    {
        done << command;
        return answer;
    }
};
