#pragma once

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QWidget;

// The second page: the recorder's segments, the playlist that chains them,
// the shared name entry, the disk line and a second copy of the display.
struct SegmentPage
{
    QWidget *page = nullptr;
    QTableWidget *TableClipList = nullptr;
    QTableWidget *TablePlaylist = nullptr;
    QLineEdit *lineEdit22_2 = nullptr; // name entry shared by find and rename
    QLabel *EditLabel2 = nullptr;
    QLineEdit *EdDiskName = nullptr;
    QLabel *textLabel1_3 = nullptr; // "Disk name :" or "Created from :"
    QLineEdit *lineLCD2 = nullptr;  // upper display line while this page is shown
    QLineEdit *lineLCD4 = nullptr;  // lower display line while this page is shown

    QPushButton *pbClip = nullptr;
    QPushButton *pbClipIn = nullptr;
    QPushButton *pbClipOut = nullptr;
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
    QPushButton *pbEsc2 = nullptr;
    QPushButton *pb_Enter = nullptr;
};

// Builds the page's widgets and layouts inside `page` (the tab "tab_4").
SegmentPage BuildSegmentPage(QWidget *page);
