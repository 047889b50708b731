// SPDX-License-Identifier: GPL-3.0-or-later
// Open: a playlist file read whole and recognised, then rebuilt on the
// recorder segment by segment.

#include "playlistfile.h"

#include "filedialogs.h"
#include "kplformat.h"
#include "playlist.h"
#include "segmentlist.h"

#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "protocol/datafile.h"
#include "ui/common/busyprogress.h"
#include "ui/common/pollingpause.h"
#include "ui/common/recordersession.h"

#include <utility>

namespace {

QString RecreatingText(int segment, int total)
{
    return QStringLiteral("Re-creating segment %1 of %2").arg(segment).arg(total);
}

// What of a file damaged after its segments was left out.
QString SkippedText(const QString &path, const KplBreak &where)
{
    QString skipped;
    switch (where.chunk) {
    case KplChunk::Segments:
    case KplChunk::Playlist:
        skipped = where.item > 1
                      ? QStringLiteral("the playlist from row %1 on and the disk table were "
                                       "skipped")
                            .arg(where.item)
                      : QStringLiteral("the playlist and the disk table were skipped");
        break;
    case KplChunk::Disk:
        skipped = QStringLiteral("the disk table was skipped");
        break;
    }
    return QStringLiteral("%1: %2. The segments were re-created; %3. The file is not taken as "
                          "the playlist document: Save asks for a file name.")
        .arg(path, KplBreakText(where), skipped);
}

} // namespace

// The loaded file's information is brought up to date first: the segments
// are re-created in the file the recorder has loaded.
void PlaylistFile::DoOpen()
{
    if (!session.Device())
        return;
    session.RequestLoadedFileRefresh();
    session.refreshLoadedFile();
    if (!session.EditAllowed() || !ReadyToClose())
        return;
    if (std::unique_ptr<DataFile> chosen = openFileDialog(kFileKindClip, Window()))
        OpenChosen(std::move(chosen));
}

// Nothing is erased before the file is known to be a playlist whose
// segments read whole. A rebuild cut short (cancelled, the recorder lost, a
// segment refused), or a file damaged after its segments, leaves what was
// made and no document: saving it over the file would lose the rest.
void PlaylistFile::OpenChosen(std::unique_ptr<DataFile> chosen)
{
    const KplFileReading reading = ReadKplFile(chosen->Path());
    if (reading.status != KplFileStatus::Read) {
        Tell(reading.error);
        return;
    }
    PollingPause pause(session);
    ClearForOpen();
    const bool complete = readPlaylistFile(reading);
    segments.ShowDiskInformation();
    if (complete && !reading.damage) {
        document = std::move(chosen);
        segments.ResetModified();
        return;
    }
    document.reset();
    session.MarkModified();
    if (complete)
        Tell(SkippedText(chosen->Path(), *reading.damage));
}

void PlaylistFile::ClearForOpen()
{
    segments.MClearClipList();
    segments.eraseRecorderSegments();
    playlist.MClearPlaylist();
}

// The playlist names the file's segments, so it follows only a complete
// rebuild. The disk table the file holds describes the disks of the day it
// was written; the recorder's own replaces it once the file is read through
// or found damaged.
bool PlaylistFile::readPlaylistFile(const KplReading &reading)
{
    const KplDocument &file = reading.document;
    if (!RecreateSegments(file.segments)) {
        segments.readDiskTable();
        return false;
    }
    for (const QByteArray &name : file.playlist)
        playlist.AppendRow(name);
    if (file.disk)
        segments.diskTable = *file.disk;
    if (reading.reachedEnd || reading.damage)
        segments.readDiskTable();
    return true;
}

// A Cancel is taken between two segments, so the list always holds exactly
// the segments the recorder has made. A segment the recorder refuses does
// not stop the others, but the rebuild is not complete: the operator is told.
bool PlaylistFile::RecreateSegments(const std::vector<SegmentRecord> &records)
{
    const int total = static_cast<int>(records.size());
    if (total == 0)
        return true;
    int refused = 0;
    {
        BusyProgress progress(session, Window(), RecreatingText(1, total), total,
                              BusyProgress::Cancel::Offered);
        for (int done = 0; done < total; ++done) {
            progress.SetText(RecreatingText(done + 1, total));
            if (!progress.Step(done) || RecorderLost())
                return false;
            if (!segments.addSegmentFromRecord(records[static_cast<size_t>(done)], true))
                ++refused;
        }
    }
    if (refused == 0)
        return true;
    Tell(QStringLiteral("The recorder did not make %1 of the %2 segments of the file. The file "
                        "is left as it is and is not opened.")
             .arg(refused)
             .arg(total),
         true);
    return false;
}
