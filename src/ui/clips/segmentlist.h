#pragma once

#include "ui/common/keytable.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QTableWidget;
class RecorderSession;

// The recorder's segments (marked in/out stretches of its material): the
// list, the keys that create a segment and mark its in and out points, the
// name entry shared by find, rename segment and rename disk, and the disk
// line. It keeps the edit guard and the modification counter that the
// playlist uses as well.
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
    // The edit guard: a recorder is current and Delay mode does not hold it.
    bool EditAllowed() const;
    void MarkModified() { ++modifiedCount; }
    // The disk line for the current recorder: an older recorder keeps a disk
    // name, a newer one keeps files and the line shows where the clicked
    // segment was cut from.
    void ShowDiskInformation();

    QTableWidget *TableClipList = nullptr;
    QLineEdit *lineEdit22_2 = nullptr; // name entry shared by find and rename
    QLabel *EditLabel2 = nullptr;
    QLineEdit *EdDiskName = nullptr;
    QLabel *textLabel1_3 = nullptr; // "Disk name :" or "Created from :"
    QPushButton *pbClip = nullptr;
    QPushButton *pbClipIn = nullptr;
    QPushButton *pbClipOut = nullptr;

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
    void TableClipList_clicked(int row, int column);
    void TableClipList_doubleClicked(int row, int column);
    void MClearClipList(bool clearAll);
    void Menu_Segment_Clear_all_activated();
    void DoImport();
    void reloadSegmentList();
    void DoCopyToTimeline();
    void DoCopyToEnd();
    void DoUndo();
    void DoPaste();

private:
    void BuildFields();
    void LayOut();

    RecorderSession &session;
    quint8 findEntry = 0;
    quint8 renameSegmentEntry = 0;
    quint8 renameDiskEntry = 0;
    quint16 modifiedCount = 0;
};
