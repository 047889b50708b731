// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/common/keytable.h"

#include <QWidget>

class CsvExport;
class EdlExport;
class Playlist;
class PlaylistFile;
class QGroupBox;
class QLineEdit;
class RecorderSession;
class SegmentList;

// The second page: the recorder's segments and the playlist that chains
// them, a second copy of the display (which the panel writes while this
// page is shown), and its Esc and Enter keys.
class SegmentPage : public QWidget
{
    Q_OBJECT

public:
    SegmentPage(RecorderSession &session, QWidget *parent);

    static std::vector<KeyInfo> Keys();
    void languageChange();

    QGroupBox *buttonGroup4_2 = nullptr;
    QLineEdit *lineLCD2 = nullptr; // upper display line while this page is shown
    QLineEdit *lineLCD4 = nullptr; // lower display line while this page is shown
    QPushButton *pbEsc2 = nullptr;
    QPushButton *pb_Enter = nullptr;

    SegmentList *segments = nullptr;
    Playlist *playlist = nullptr;
    PlaylistFile *file = nullptr;
    CsvExport *csv = nullptr;
    EdlExport *edl = nullptr;

public slots:
    void pbEsc2_clicked();
    void pb_Enter_clicked();

private:
    QWidget *BuildDisplay();
    void ConnectParts();

    RecorderSession &session;
};
