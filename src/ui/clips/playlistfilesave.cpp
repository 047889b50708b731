// SPDX-License-Identifier: GPL-3.0-or-later
// Save and Save As: the lists written in the text form, once every segment
// is known to come from one source clip.

#include "playlistfile.h"

#include "filedialogs.h"
#include "kplforms.h"
#include "playlist.h"
#include "segmentlist.h"

#include "protocol/datafile.h"
#include "protocol/segmentcommands.h"
#include "ui/common/recordersession.h"

#include <QTableWidget>

#include <utility>

namespace {

// The rows of both tables in table order, and the disk table.
KplDocument DocumentOf(const SegmentList &segments, const Playlist &playlist)
{
    KplDocument document;
    const QTableWidget *table = segments.TableClipList;
    for (int row = 0; row < table->rowCount(); ++row)
        document.segments.push_back(readSegmentRecord(row, table));
    for (int row = 0; row < playlist.TablePlaylist->rowCount(); ++row)
        document.playlist << playlist.RowName(row);
    document.disk = segments.diskTable;
    return document;
}

} // namespace

void PlaylistFile::DoSave()
{
    Save();
}

void PlaylistFile::DoSaveAs()
{
    if (SaveAllowed(false))
        SaveAs();
}

// A document without changes since its last save is not written again.
PlaylistFile::SaveResult PlaylistFile::Save()
{
    if (!SaveAllowed(false))
        return SaveResult::NotWritten;
    if (!document)
        return SaveAs();
    if (segments.ModifiedCount() == 0)
        return SaveResult::NothingToWrite;
    return writePlaylistFile(document->Path());
}

// The chosen file becomes the document once it holds the lists; until then
// the document stays the one it was, Cancel included.
PlaylistFile::SaveResult PlaylistFile::SaveAs()
{
    std::unique_ptr<DataFile> chosen = saveFileDialog(kFileKindText, Window());
    if (!chosen)
        return SaveResult::NotWritten;
    const SaveResult result = writePlaylistFile(chosen->Path());
    if (result == SaveResult::Written)
        document = std::move(chosen);
    return result;
}

PlaylistFile::SaveResult PlaylistFile::writePlaylistFile(const QString &path)
{
    if (segments.TableClipList->rowCount() == 0)
        return SaveResult::NothingToWrite;
    if (!SameSourceClip())
        return SaveResult::NotWritten;
    QString error;
    switch (WriteKplFile(path, DocumentOf(segments, playlist), &error)) {
    case KplWriteStatus::Written:
        segments.ResetModified();
        return SaveResult::Written;
    case KplWriteStatus::Empty:
        return SaveResult::NothingToWrite;
    case KplWriteStatus::Failed:
        break;
    }
    Tell(error, true);
    return SaveResult::NotWritten;
}

// Opening the file re-creates every segment in the file the recorder has
// loaded, so segments cut from different files cannot share one. A segment
// whose source the recorder does not say is passed over.
bool PlaylistFile::SameSourceClip()
{
    const QTableWidget *table = segments.TableClipList;
    QString previous;
    bool seen = false;
    for (int row = 0; row < table->rowCount(); ++row) {
        const SegmentRecord record = readSegmentRecord(row, table);
        QString source;
        if (!SegmentSourceSense(record.number, source))
            continue;
        if (seen && source != previous) {
            Tell(QStringLiteral("Error : KPL files only accepts segment with the same source "
                                "clip ID. Segment %1 comes from %2 while some previous segment "
                                "come from %3")
                     .arg(QString::fromLatin1(RecordName(record)), source, previous),
                 true);
            return false;
        }
        previous = source;
        seen = true;
    }
    return true;
}

// Saving asks the recorder for each segment's source.
bool PlaylistFile::SaveAllowed(bool tell)
{
    if (session.EditAllowed())
        return true;
    if (tell)
        Tell(session.Device()
                 ? QStringLiteral("The playlist was not saved: Delay mode holds the recorder.")
                 : QStringLiteral("The playlist was not saved: no recorder is connected."));
    return false;
}
