// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/common/keytable.h"

#include <QWidget>

class QTableWidget;
class RecorderSession;
class SegmentList;

// The playlist: segments chained on the recorder, the keys that move
// segments into and out of it, and its playback keys. A row names a segment
// of the segment list; the same name may stand in several rows. Playing a
// row tells the recorder which segment follows, and the polling moves that
// link on each time the recorder goes on to the next segment (playlistTick).
//
// What the playlist file needs: AppendRow (a name read from the file as a
// new last row), MClearPlaylist (empties it) and RowName.
class Playlist : public QWidget
{
    Q_OBJECT

public:
    Playlist(RecorderSession &session, SegmentList &segments, QWidget *parent);

    static std::vector<KeyInfo> Keys();
    void languageChange();

    // A new last row naming `name`; the modification counter is left alone.
    void AppendRow(const QByteArray &name);
    QByteArray RowName(int row) const;

    // The segment the recorder was last told to play and the one linked
    // behind it, 0 for none.
    quint16 CurrentSegmentNumber() const { return currentSegmentNumber; }
    quint16 NextSegmentNumber() const { return nextSegmentNumber; }

    QTableWidget *TablePlaylist = nullptr;
    QPushButton *pbAddBefore = nullptr;
    QPushButton *pbAddAfter = nullptr;
    QPushButton *pbRemove = nullptr;
    QPushButton *pbRemoveAll = nullptr;
    QPushButton *pbPrev = nullptr;
    QPushButton *pbNext = nullptr;
    QPushButton *pbStart = nullptr;
    QPushButton *pbPause = nullptr;
    QPushButton *pbAbort = nullptr;
    QPushButton *pbLoop = nullptr;

public slots:
    void OnPbAddAfter();
    void OnPbAddBefore();
    void OnPbRemove();
    void OnPbRemoveAll();
    void OnPbNext();
    void OnPbPrevious();
    void TablePlaylist_doubleClicked(int row, int column);
    void pbStartPlaylist_pressed();
    void pbStart_pressed();
    void pbPause_pressed();
    void pbAbort_pressed();
    void MClearPlaylist();
    void DoExport();
    // Run by every polling tick: selects the row of the segment the recorder
    // is playing.
    void playlistTick();
    // The recorder was stopped to play something else: the links made for
    // what played no longer hold.
    void StoppedForPlay();
    // The segment list chose the segment the recorder plays.
    void SetCurrentSegment(quint16 number) { currentSegmentNumber = number; }
    // Inserts a segment of the list at the selected row (or at the end).
    void InsertSegment(const QByteArray &name, bool atSelectedRow);
    // Rows that stand for the segment of the list's `segmentRow` take the
    // name it is about to get.
    void RenameRows(int segmentRow, const QByteArray &newName);

private:
    QLayout *EditingKeys();
    QLayout *PlaybackKeys();

    // Editing (playlist.cpp).
    void InsertCurrentSegment(bool before);
    void InsertRow(const QByteArray &name, int row);
    void StepSelection(int step);

    // Playback (playlistplay.cpp).
    // A step has stopped the recorder already: the status read before the
    // stop still says it plays.
    void playSelectedRow(bool stopIfPlaying = true);
    void FollowStart();
    int nextRow(int row) const;
    void linkNext(int row);
    void StopForPlay();
    void FollowPlayingSegment();
    void ForgetLinks();
    bool SegmentOfRow(int row, quint16 &number) const;
    void ExportFrom(quint16 first);

    RecorderSession &session;
    SegmentList &segments;
    quint16 currentSegmentNumber = 0;
    quint16 nextSegmentNumber = 0;
};
