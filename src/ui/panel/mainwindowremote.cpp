// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindowremote.h"

#include "controlpage.h"
#include "devices/connectionselection.h"
#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "devices/deviceregistry.h"
#include "keypad.h"
#include "mainwindow.h"
#include "memories.h"
#include "paneldisplay.h"
#include "protocol/recorderstate.h"
#include "protocol/timecode.h"
#include "recordermenu.h"
#include "speedcontrol.h"
#include "transportkeys.h"
#include "ui/clips/playlist.h"
#include "ui/clips/segmentlist.h"
#include "ui/clips/segmentpage.h"
#include "ui/clips/segmentrows.h"
#include "ui/clips/serverpage.h"

#include <QApplication>
#include <QDial>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>
#include <limits>

namespace {

using Modifier = TransportKeys::Modifier;

// The transport word without the display's own glyphs ("\xA5 PLAY" shows a
// dot before the word).
QString PlainWord(const QByteArray &word)
{
    QString plain;
    for (const char c : word) {
        if (c >= ' ' && c < 0x7F)
            plain += QLatin1Char(c);
    }
    return plain.trimmed();
}

QString Text(const QByteArray &latin1)
{
    return QString::fromLatin1(latin1);
}

} // namespace

// A modal dialog or a menu runs an event loop of its own inside a slot of
// the window; a command run from it would come between that slot's steps.
bool WindowControl::WindowBusy() const
{
    return window.PollingSuspended() || QApplication::activeModalWidget() ||
           QApplication::activePopupWidget();
}

// The engine counts failed exchanges per link and starts again from 0 at
// each answer, so a count above the one before the command means its last
// frame went unanswered.
template <typename F>
Refusal WindowControl::Answered(F command)
{
    DeviceLink *link = CurrentDevice ? CurrentDevice->link : nullptr;
    const qint16 failuresBefore = link ? link->errorCount : 0;
    const Refusal refusal = command();
    if (refusal == Refusal::None && link && link->errorCount > failuresBefore)
        return Refusal::NoAnswer;
    return refusal;
}

Refusal WindowControl::EditRefusal() const
{
    return window.segment->segments->EditRefusal();
}

// Under the segment page's edit guard, for keys that have no guard of their
// own against Delay mode.
template <typename F>
Refusal WindowControl::EditGuarded(F command)
{
    return Answered([this, &command] {
        const Refusal refusal = EditRefusal();
        return refusal != Refusal::None ? refusal : command();
    });
}

// The playlist's keys need a row to play.
Refusal WindowControl::PlaylistRefusal() const
{
    return window.segment->playlist->TablePlaylist->rowCount() == 0 ? Refusal::NotFound
                                                                    : Refusal::None;
}

Refusal WindowControl::Play()
{
    return Answered([this] { return window.control->transport->PlayKey(Modifier::None); });
}

Refusal WindowControl::Stop()
{
    return Answered([this] { return window.control->transport->StopKey(); });
}

Refusal WindowControl::Record()
{
    return Answered([this] { return window.control->transport->PlayKey(Modifier::Lock); });
}

Refusal WindowControl::FastForward()
{
    return Answered([this] { return window.control->transport->ForwardKey(); });
}

Refusal WindowControl::Rewind()
{
    return Answered([this] { return window.control->transport->RewindKey(Modifier::None); });
}

Refusal WindowControl::Jog(int frames)
{
    return Answered([this, frames] { return window.control->Jog(frames); });
}

Refusal WindowControl::Shuttle(int dialValue)
{
    return Answered([this, dialValue] { return window.control->speed->ShuttleAt(dialValue); });
}

Refusal WindowControl::Goto(const QString &time)
{
    return Answered([this, &time] { return window.control->keypad->GotoTime(time); });
}

// The side keys have no guard of their own; the side Delay mode holds stays.
Refusal WindowControl::ChooseSide(Side side)
{
    return EditGuarded([this, side] {
        TransportKeys &keys = *window.control->transport;
        if (side == Side::Recorder) {
            keys.pbR_pressed();
            return Refusal::None;
        }
        keys.pbP_pressed();
        return recPlayMode == kPlayerSide ? Refusal::None : Refusal::Unavailable;
    });
}

QList<SegmentEntry> WindowControl::Segments() const
{
    QList<SegmentEntry> segments;
    const QTableWidget *table = window.segment->segments->TableClipList;
    for (int row = 0; row < table->rowCount(); ++row)
        segments << SegmentAt(row);
    return segments;
}

SegmentEntry WindowControl::SegmentAt(int row) const
{
    const QTableWidget *table = window.segment->segments->TableClipList;
    SegmentEntry segment;
    segment.number = RowSegmentNumber(row, table);
    segment.name = Text(getCell(row, kNameCell, table));
    segment.in = Text(getCell(row, kInTextCell, table));
    segment.out = Text(getCell(row, kOutTextCell, table));
    const quint32 in = RowPosition(row, kInPointCell, table);
    const quint32 out = RowPosition(row, kOutPointCell, table);
    segment.duration = Text(TimecodeText(out > in ? out - in : 0, CurrentFrameSettings()));
    return segment;
}

// A double click on the segment's name plays it, one on its in or out time
// cues it; the list's edit guard comes first.
Refusal WindowControl::PlaySegment(int row)
{
    return EditGuarded([this, row] {
        window.segment->segments->TableClipList_doubleClicked(row, kNameCell);
        return Refusal::None;
    });
}

Refusal WindowControl::CueSegment(int row, Point point)
{
    return EditGuarded([this, row, point] {
        window.segment->segments->TableClipList_doubleClicked(
            row, point == Point::In ? kInTextCell : kOutTextCell);
        return Refusal::None;
    });
}

// The recorder's time as a position of its material, in the unit of the
// segments' points.
qint64 WindowControl::PositionNow() const
{
    const FrameSettings frames = CurrentFrameSettings();
    return TimecodeToFrames(ReadRecorderTime(currentTime, FiftyHzRecorder()), frames.fps,
                            frames.dropFrame) *
           frames.divisor;
}

// From the recorder's time to a segment's out point while the time lies
// within the segment and `fromNow` says the recorder is at it; otherwise
// the segment's whole length; 0 for no segment.
qint64 WindowControl::Remaining(int segmentRow, bool fromNow) const
{
    if (segmentRow < 0)
        return 0;
    const QTableWidget *table = window.segment->segments->TableClipList;
    const qint64 in = RowPosition(segmentRow, kInPointCell, table);
    const qint64 out = RowPosition(segmentRow, kOutPointCell, table);
    const qint64 now = fromNow ? PositionNow() : in;
    const qint64 from = now >= in && now <= out ? now : in;
    return std::max<qint64>(out - from, 0);
}

int WindowControl::SegmentRowNamed(const QByteArray &name) const
{
    int row = -1;
    return findName(name, false, row, window.segment->segments->TableClipList) ? row : -1;
}

int WindowControl::SegmentRowNumbered(int number) const
{
    const QTableWidget *table = window.segment->segments->TableClipList;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (RowSegmentNumber(row, table) == number)
            return row;
    }
    return -1;
}

QString WindowControl::RemainingText(qint64 positions) const
{
    const qint64 limit = std::numeric_limits<quint32>::max();
    return Text(TimecodeText(quint32(std::min(positions, limit)), CurrentFrameSettings()));
}

// What is left of the playlist: the rest of the row playing (or of the
// selected row, whole, while the recorder plays none of it) and every row
// after it.
PlaylistState WindowControl::Playlist() const
{
    const ::Playlist &playlist = *window.segment->playlist;
    PlaylistState state;
    for (int row = 0; row < playlist.TablePlaylist->rowCount(); ++row)
        state.rows << Text(playlist.RowName(row));
    int current = -1;
    if (currentRow(current, playlist.TablePlaylist))
        state.current = current;
    state.loop = playlist.pbLoop->isChecked();
    if (!CurrentDevice)
        return state;
    qint64 remaining = 0;
    for (int row = std::max(state.current, 0); row < state.rows.size(); ++row) {
        const int segmentRow = SegmentRowNamed(playlist.RowName(row));
        const bool atIt = row == state.current && segmentRow >= 0 &&
                          RowSegmentNumber(segmentRow, window.segment->segments->TableClipList) ==
                              playlist.CurrentSegmentNumber();
        remaining += Remaining(segmentRow, atIt);
    }
    state.remaining = RemainingText(remaining);
    return state;
}

// The playlist's keys play the selected row; a client names the row, or
// plays the selected one (the first, when none is).
Refusal WindowControl::StartPlaylist(int row)
{
    return EditGuarded([this, row] {
        if (PlaylistRefusal() != Refusal::None)
            return PlaylistRefusal();
        ::Playlist &playlist = *window.segment->playlist;
        int start = row;
        if (start < 0 && !currentRow(start, playlist.TablePlaylist))
            start = 0;
        if (SegmentRowNamed(playlist.RowName(start)) < 0)
            return Refusal::NotFound;
        SelectOnlyRow(start, playlist.TablePlaylist);
        playlist.pbStart_pressed();
        return Refusal::None;
    });
}

Refusal WindowControl::StepPlaylist(int step)
{
    return EditGuarded([this, step] {
        if (PlaylistRefusal() != Refusal::None)
            return PlaylistRefusal();
        if (step > 0)
            window.segment->playlist->OnPbNext();
        else
            window.segment->playlist->OnPbPrevious();
        return Refusal::None;
    });
}

// Abort stops the recorder at once; not while Delay mode records.
Refusal WindowControl::StopPlaylist()
{
    return EditGuarded([this] {
        window.segment->playlist->pbAbort_pressed();
        return Refusal::None;
    });
}

Refusal WindowControl::ReadFiles(FileListing &files)
{
    return Answered([this, &files] {
        ServerPage &server = *window.server;
        const Refusal refusal = server.RefreshFileList();
        for (int row = 0; row < server.TableFileList->rowCount(); ++row) {
            files.names << server.FileNameAt(row);
            if (server.FileLoadedAt(row))
                files.loaded = server.FileNameAt(row);
        }
        files.storageRemaining = server.leRemainigTime->text().trimmed();
        return refusal;
    });
}

// The list is read afresh when it does not hold the name yet.
Refusal WindowControl::LoadFile(const QString &name)
{
    return EditGuarded([this, &name] {
        ServerPage &server = *window.server;
        const auto rowNamed = [&server, &name] {
            for (int row = 0; row < server.TableFileList->rowCount(); ++row) {
                if (server.FileNameAt(row).compare(name, Qt::CaseInsensitive) == 0)
                    return row;
            }
            return -1;
        };
        int row = rowNamed();
        if (row < 0) {
            server.RefreshFileList();
            row = rowNamed();
        }
        return row < 0 ? Refusal::NotFound : server.LoadFileAt(row);
    });
}

Refusal WindowControl::CaptureMemory(int slot, QString &captured)
{
    Memories &memories = *window.control->memories;
    const Refusal refusal = memories.Capture(slot);
    captured = memories.MemoryText(slot);
    return refusal;
}

Refusal WindowControl::LocateMemory(int slot)
{
    return Answered([this, slot] { return window.control->memories->Locate(slot); });
}

QStringList WindowControl::Recorders() const
{
    return window.recorders->RecorderNames();
}

// As the "&Connect" menu's entry does; a recorder that does not answer
// leaves the one before current.
Refusal WindowControl::SelectRecorder(const QString &name)
{
    if (DelayModeHoldsDevice())
        return Refusal::DelayMode;
    window.SelectControl(window.recorders->RecorderId(name));
    return CurrentDevice && CurrentDevice->name == name ? Refusal::None : Refusal::NoAnswer;
}

ConnectionState WindowControl::Connection() const
{
    ConnectionState state;
    const QString name = CurrentDevice ? CurrentDevice->name : window.LostDeviceName();
    if (name.isEmpty())
        return state;
    state.recorder = name;
    state.link = IsSerialDeviceName(name) ? QStringLiteral("serial") : QStringLiteral("ethernet");
    state.connected = CurrentDevice != nullptr;
    state.lost = !state.connected;
    if (state.connected) {
        state.version = versionText;
        state.pellet = pelletDevice != 0;
        state.videoStandard = int(CurrentDevice->videoStandard);
    }
    return state;
}

TimeState WindowControl::Time() const
{
    TimeState state;
    if (!CurrentDevice)
        return state;
    const RecorderTime time = ReadRecorderTime(currentTime, FiftyHzRecorder());
    state.known = true;
    state.hours = time.hours;
    state.minutes = time.minutes;
    state.seconds = time.seconds;
    state.frames = time.frames;
    state.dropFrame = time.dropFrame;
    state.field = time.field;
    state.timer = timerMode == kTimerModeTimer;
    return state;
}

TransportStatus WindowControl::Transport() const
{
    TransportStatus state;
    if (!CurrentDevice)
        return state;
    const ControlPage &control = *window.control;
    state.state = control.transport->TransportState();
    state.word = PlainWord(control.TransportWord());
    state.playing = StatusBitSet(kStatusPlaying);
    state.recording = StatusBitSet(kStatusRecording);
    state.stopped = StatusBitSet(kStatusStopped) || StatusBitSet(kStatusStill);
    state.forward = StatusBitSet(kStatusFastForward);
    state.rewind = StatusBitSet(kStatusRewinding);
    state.shuttle = StatusBitSet(kStatusShuttleFamily);
    state.jog = state.shuttle && control.speed->JogActive();
    state.variable = state.shuttle && control.speed->VarActive();
    if (state.shuttle && !state.jog && !state.variable)
        state.shuttleSpeed = control.speed->potent->value();
    if (recPlayMode == kRecorderSide)
        state.side = QStringLiteral("recorder");
    else if (recPlayMode == kPlayerSide)
        state.side = QStringLiteral("player");
    state.local = StatusBitSet(kStatusLocal);
    state.ltc = StatusBitSet(kStatusLtcOn);
    state.edit = StatusBitSet(kStatusEditOn) || StatusBitSet(kStatusFullEeOn);
    std::copy(statusBytes.begin(), statusBytes.end(), state.status.begin());
    return state;
}

SegmentState WindowControl::CurrentSegment() const
{
    SegmentState state;
    const int number = window.segment->playlist->CurrentSegmentNumber();
    const int row = number != 0 && CurrentDevice ? SegmentRowNumbered(number) : -1;
    if (row < 0)
        return state;
    state.segment = SegmentAt(row);
    state.remaining = RemainingText(Remaining(row, true));
    return state;
}

FileState WindowControl::File() const
{
    FileState state;
    if (!CurrentDevice)
        return state;
    state.loaded = window.server->LoadedFileName();
    state.storageRemaining = window.server->leRemainigTime->text().trimmed();
    return state;
}

DisplayState WindowControl::Display() const
{
    DisplayState state;
    state.upper = window.control->display->TimeLine();
    state.lower = window.control->display->MenuLine();
    return state;
}
