// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "disktable.h"
#include "segmentrecord.h"
#include "segmentrows.h"

#include "remote/refusal.h"
#include "ui/common/keytable.h"

#include <QWidget>

#include <initializer_list>
#include <utility>
#include <vector>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QTableWidget;
class RecorderSession;

// The recorder's segments (marked in/out stretches of its material): the
// list, the keys that create a segment and mark its in and out points, the
// name entry shared by find, rename segment and rename disk, and the disk
// line. The names are the program's own: the recorder knows its segments by
// number only. It keeps the edit guard and the modification counter that the
// playlist uses as well, and the disk table the playlist file stores.
//
// What the playlist file's New and Open need:
//   MClearClipList()                empties the list (nothing sent)
//   ConfirmErase(parent)            the question before everything is erased
//   eraseRecorderSegments()         deletes every segment on the recorder
//   addSegmentFromRecord(r, true)   re-creates a stored segment and its row
//   readDiskTable()                 reads diskTable from the recorder
//   diskTable                       the disk entries and the disk name
//   ShowDiskInformation()           reads the disk name, shows the disk line
//   ModifiedCount(), ResetModified()
class SegmentList : public QWidget
{
    Q_OBJECT

public:
    SegmentList(RecorderSession &session, QWidget *parent);

    static std::vector<KeyInfo> Keys();
    void languageChange();

    // Ends the name entry, whichever of find, rename segment and rename disk
    // it was.
    void EndSegmentEntry();
    // Whether find, rename segment or rename disk waits for Return.
    bool EntryActive() const { return findEntry || renameSegmentEntry || renameDiskEntry; }
    // The edit guard: a recorder is current and Delay mode does not hold it;
    // and why not.
    bool EditAllowed() const { return EditRefusal() == Refusal::None; }
    Refusal EditRefusal() const;
    void MarkModified() { ++modifiedCount; }
    quint16 ModifiedCount() const { return modifiedCount; }
    void ResetModified()
    {
        modifiedCount = 0;
        replacedByRecorder = false;
    }
    // Whether a reload replaced the names and the playlist with the
    // recorder's list since the document was last opened, saved or begun.
    bool ReplacedWithRecordersList() const { return replacedByRecorder; }
    // The disk line for the current recorder: an older recorder keeps a disk
    // name, a newer one keeps files and the line shows where the clicked
    // segment was cut from.
    void ShowDiskInformation();

    // Re-creates a stored segment on the recorder and gives it its row.
    // "Seg-<n>" names segment n (the next free number when n is taken); any
    // other name is the operator's own and the segment takes the next free
    // number. Without `sendToRecorder` nothing is sent and no row is added.
    // True when a row was added; nothing happens without a recorder.
    bool addSegmentFromRecord(const SegmentRecord &record, bool sendToRecorder);
    // Asks the operator before every segment on the recorder is erased;
    // true for "&Ok".
    static bool ConfirmErase(QWidget *parent);
    // Deletes every segment the recorder holds, under a progress dialog.
    void eraseRecorderSegments();
    // Reads the recorder's disk entries into diskTable (its name stays).
    void readDiskTable();
    // The frame settings the rows' texts were last made with: what a CSV
    // export writes when no recorder is current.
    FrameSettings ShownFrameSettings() const { return shownFrames; }
    // A change of the recorder's timer mode since the rows were read makes
    // the polling read them again.
    void FollowTimerMode();
    // The entries of the list's context menu (copy, paste, undo, copy to the
    // playlist), which the window owns.
    void SetContextActions(std::initializer_list<QAction *> actions);
    // The playlist beside the list: the right button renames only while it
    // is empty.
    void WatchPlaylist(const QTableWidget *playlist);

    QTableWidget *TableClipList = nullptr;
    QLineEdit *lineEdit22_2 = nullptr; // name entry shared by find and rename
    QLabel *EditLabel2 = nullptr;
    QLineEdit *EdDiskName = nullptr;
    QLabel *textLabel1_3 = nullptr; // "Disk name :" or "Created from :"
    QPushButton *pbClip = nullptr;
    QPushButton *pbClipIn = nullptr;
    QPushButton *pbClipOut = nullptr;
    QMenu *contextMenu = nullptr;

    DiskTable diskTable;

signals:
    // The playlist empties itself (a reload, erasing every segment).
    void PlaylistClearRequested();
    // A reload replaced the names and the playlist with the recorder's list.
    void ReplacedByRecorder();
    // The recorder was stopped to play something else: the playlist lets go
    // of the links it made.
    void PlaybackInterrupted();
    // The segment last clicked or played from the list.
    void CurrentSegmentChosen(quint16 number);
    // The current segment goes into the playlist, at its selected row or at
    // its end.
    void CopyToPlaylist(const QByteArray &name, bool atSelectedRow);
    // The segment of `row` is about to be renamed; the playlist rows that
    // name it follow.
    void SegmentRenaming(int row, const QByteArray &newName);

public slots:
    void DoCreateClip();
    void OnPbClip();
    void OnPbClipIn();
    void OnPbClipOut();
    void DoCut();
    void DoRenameClip();
    void DoFind();
    void DoRenameDisk();
    void lineEdit22_2_returnPressed();
    void DoGotoIn();
    void DoGotoOut();
    void TableClipList_clicked(int row, int column, Qt::MouseButton button = Qt::LeftButton);
    void TableClipList_doubleClicked(int row, int column);
    void MClearClipList();
    void Menu_Segment_Clear_all_activated();
    void DoImport();
    void reloadSegmentList();
    void DoCopyToTimeline();
    void DoCopyToEnd();
    void DoCopy();
    void DoUndo();
    void DoPaste();

private:
    // A segment kept for Paste or Undo, with the file it was cut from.
    struct KeptSegment
    {
        SegmentRecord record;
        QString source;
        bool held = false;
    };

    void BuildFields();
    void LayOut();
    void TableClipList_contextMenu(const QPoint &position);
    bool RightClickRenames(int column) const;

    // Entry modes (segmentlist.cpp).
    void StartEntry(const char *label, quint8 &flag);
    void StartRename(int row);
    void FindSegment(const QByteArray &text);
    void RenameCurrentSegment(const QString &text);
    QString NameRefusal(const QString &text, int row) const;
    void RenameDisk(const QString &text);
    void Warn(const QString &text);

    // Rows (segmentlistedit.cpp).
    int AddSegmentRow(quint16 number, const SegmentInfo &info);
    void CopyCurrentToPlaylist(bool atSelectedRow);
    KeptSegment KeepRow(int row) const;
    int Recreate(const KeptSegment &kept, quint16 number);
    void NameRecreated(int row, const QByteArray &name);
    void MarkPoint(quint32 position, bool in);
    QByteArray UnusedName(const QByteArray &name) const;

    // Positions (segmentlistcue.cpp).
    void CueTo(int row, int pointCell);
    void GotoPoint(int pointCell);
    void LoadSource(quint16 number);
    void ShowSource(quint16 number);

    // The recorder's side (segmentlistrecorder.cpp).
    using SegmentReports = std::vector<std::pair<quint16, SegmentInfo>>;
    struct RecorderSegments
    {
        SegmentReports found;  // in number order
        bool complete = false; // every number was asked for
    };
    void ImportSegments();
    RecorderSegments ReadSegments();
    void ShowSegments(const SegmentReports &found);
    bool SameNumbers(const SegmentReports &found) const;
    void RefreshRows(const SegmentReports &found);
    void RetimeRows();
    void ReplaceRows(const SegmentReports &found);

    RecorderSession &session;
    const QTableWidget *playlistTable = nullptr;
    quint8 findEntry = 0;
    quint8 renameSegmentEntry = 0;
    quint8 renameDiskEntry = 0;
    quint16 modifiedCount = 0;
    bool replacedByRecorder = false;
    FrameSettings shownFrames;
    int rowsTimerMode = -1; // the timer mode the rows were read under
    KeptSegment cutSegment;
    KeptSegment copiedSegment;
};
