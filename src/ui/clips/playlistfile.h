// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class DataFile;
class Playlist;
class QWidget;
class RecorderSession;
class SegmentList;
struct KplReading;
struct SegmentRecord;

// The playlist document: the KPL file the segment list and the playlist are
// saved to and loaded from, behind the File menu's New, Open, Save and
// Save As, and the question about unsaved changes asked before New, Open and
// the end of the program.
//
// The document is the file last opened or saved (none at start). Opening a
// file rebuilds its segments on the recorder: every segment there is erased
// and each stored one is marked and made again, which takes the recorder
// over 600 ms a segment. The file is read whole and checked first, so a
// file that is no playlist, or whose segments do not read whole, changes
// nothing; one damaged after its segments is rebuilt but not taken as the
// document. Neither is a list that a reload replaced with the recorder's.
// Saving replaces the file only
// once the new contents are complete; the segments saved together must come
// from one source clip, as a playlist file re-creates them all in the file
// loaded on the recorder.
class PlaylistFile : public QObject
{
    Q_OBJECT

public:
    PlaylistFile(RecorderSession &session, SegmentList &segments, Playlist &playlist,
                 QObject *parent);
    ~PlaylistFile() override;

    // What the operator answered about unsaved changes.
    enum ClosePrompt { SaveFirst = 1, Cancel = 2, GoOn = 3 };
    // Asks only when there are changes (`modifiedCount` is not 0), and says
    // when a reload has replaced the names and the playlist with the
    // recorder's list.
    ClosePrompt closePrompt(quint16 modifiedCount);
    // The question before the document goes away (New, Open, the program's
    // end). True when it may go: nothing changed, the operator said not to
    // save, or the save asked for succeeded. A save that wrote nothing keeps
    // the document, and says why.
    bool ReadyToClose();

    void DeletePlaylistDocument();

    // Whether a file is loaded (opened or saved since the last New), and its
    // path, empty while none is.
    bool Loaded() const { return document != nullptr; }
    QString DocumentPath() const;

public slots:
    void DoNew();
    void DoOpen();
    void DoSave();
    void DoSaveAs();

private:
    enum class SaveResult {
        Written,
        NothingToWrite, // an empty segment list, or no change since the last save
        NotWritten,     // refused, failed or cancelled; the operator has been told
                        // unless they cancelled
    };

    // New (playlistfile.cpp).
    void StartEmpty();

    // Open (playlistfileopen.cpp).
    void OpenChosen(std::unique_ptr<DataFile> chosen);
    void ClearForOpen();
    bool readPlaylistFile(const KplReading &reading);
    bool RecreateSegments(const std::vector<SegmentRecord> &records);

    // Save (playlistfilesave.cpp).
    SaveResult Save();
    SaveResult SaveAs();
    SaveResult writePlaylistFile(const QString &path);
    bool SameSourceClip();
    bool SaveAllowed(bool tell);

    void Tell(const QString &text, bool critical = false);
    QWidget *Window() const;

    RecorderSession &session;
    SegmentList &segments;
    Playlist &playlist;
    std::unique_ptr<DataFile> document;
};
