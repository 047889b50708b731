// SPDX-License-Identifier: GPL-3.0-or-later
// Playing the playlist on the recorder. The recorder plays one segment and,
// when told which segment follows it (EventPairPreset), carries on into
// that one seamlessly and raises its event change flag. The program links
// only the next segment at a time and moves the link on as the recorder
// goes on, so the playlist can be edited while it plays.

#include "playlist.h"

#include "segmentlist.h"
#include "segmentrows.h"

#include "link/timing.h"
#include "protocol/playlistcommands.h"
#include "protocol/segmentcommands.h"
#include "protocol/sensecommands.h"
#include "protocol/transportcommands.h"
#include "ui/common/recordersession.h"

#include <QMessageBox>
#include <QTableWidget>

namespace {

// How long playing a row waits for the recorder to start.
constexpr quint32 kFollowStartMs = 1000;

} // namespace

// The segment a row names, looked up in the segment list.
bool Playlist::SegmentOfRow(int row, quint16 &number) const
{
    int segmentRow = 0;
    if (!ResolveName(RowName(row), segmentRow, segments.TableClipList))
        return false;
    number = RowSegmentNumber(segmentRow, segments.TableClipList);
    return true;
}

void Playlist::playSelectedRow(bool stopIfPlaying)
{
    int row = 0;
    quint16 number = 0;
    if (!session.EditAllowed() || !currentRow(row, TablePlaylist) || !SegmentOfRow(row, number))
        return;
    if (stopIfPlaying && IsPlaying())
        StopForPlay();
    currentSegmentNumber = number;
    PlaySegment(number);
    linkNext(row);
    FollowStart();
}

// The panel shows the recorder's time and status while it starts.
void Playlist::FollowStart()
{
    const auto start = NowMs();
    do {
        session.RefreshTimeAndStatus();
        if (IsPlaying())
            return;
    } while (ElapsedMs(start) < kFollowStartMs && session.Device());
}

// The recorder was stopped to play something else: the links made for what
// played no longer hold. They go at once, not at a later tick, whose status
// may still be the one from before the stop.
void Playlist::StopForPlay()
{
    Stop();
    StoppedForPlay();
}

void Playlist::StoppedForPlay()
{
    if (TablePlaylist->rowCount() > 0)
        ForgetLinks();
}

void Playlist::ForgetLinks()
{
    if (currentSegmentNumber != 0) {
        EventPairPreset(currentSegmentNumber, 0);
        currentSegmentNumber = 0;
    }
    if (nextSegmentNumber != 0) {
        EventPairPreset(nextSegmentNumber, 0);
        nextSegmentNumber = 0;
    }
}

// The row after `row`; past the last row, the first while the loop key is
// on; -1 for none.
int Playlist::nextRow(int row) const
{
    const int rows = TablePlaylist->rowCount();
    if (row + 1 < rows)
        return row + 1;
    return pbLoop->isChecked() && rows > 0 ? 0 : -1;
}

// Tells the recorder which segment follows the one playing: that of the next
// row, or none.
void Playlist::linkNext(int row)
{
    nextSegmentNumber = 0;
    const int next = nextRow(row);
    if (next >= 0)
        SegmentOfRow(next, nextSegmentNumber);
    EventPairPreset(currentSegmentNumber, nextSegmentNumber);
}

void Playlist::playlistTick()
{
    if (TablePlaylist->rowCount() == 0)
        return;
    if (!IsPlaying())
        ForgetLinks();
    else if (EventChanged())
        FollowPlayingSegment();
}

// The recorder went on to the linked segment: the link behind the segment
// that ended goes, and the selection and the link move on one row.
void Playlist::FollowPlayingSegment()
{
    AckEventChange();
    quint16 playing = currentSegmentNumber;
    CurrentEventSense(playing);
    if (currentSegmentNumber != 0)
        EventPairPreset(currentSegmentNumber, 0);
    currentSegmentNumber = playing;
    int row = 0;
    if (!currentRow(row, TablePlaylist))
        return;
    const int next = nextRow(row);
    if (next < 0)
        return;
    SelectOnlyRow(next, TablePlaylist);
    linkNext(next);
}

// The recorder stops at the end of the segment playing.
void Playlist::pbPause_pressed()
{
    if (currentSegmentNumber != 0)
        EventPairPreset(currentSegmentNumber, 0);
}

// The playlist becomes the recorder's own chain, first row first, through
// the manual command path.
void Playlist::DoExport()
{
    quint16 first = 0;
    if (session.EditAllowed() && TablePlaylist->rowCount() > 0 && SegmentOfRow(0, first))
        ExportFrom(first);
}

// An empty row ends the chain. A row whose segment is no longer in the list
// ends it as well, closed behind the last segment sent, so that the recorder
// does not follow a link left from earlier; the operator is told where it
// ended.
void Playlist::ExportFrom(quint16 first)
{
    PlaylistStart(first, CommandPath::Manual);
    quint16 linked = first;
    for (int row = 1; row < TablePlaylist->rowCount(); ++row) {
        const QByteArray name = RowName(row);
        if (name.isEmpty())
            break;
        quint16 next = 0;
        if (!SegmentOfRow(row, next)) {
            EventPairPreset(linked, 0, CommandPath::Manual);
            QMessageBox::warning(this, QStringLiteral("Tavrel"),
                                 QStringLiteral("Segment %1 is not in the segment list: the "
                                                "play list sent to the recorder ends before it.")
                                     .arg(QString::fromLatin1(name)));
            return;
        }
        EventPairPreset(linked, next, CommandPath::Manual);
        linked = next;
    }
    EventPairPreset(linked, 0, CommandPath::Manual);
}
