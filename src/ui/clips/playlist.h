#pragma once

#include "ui/common/keytable.h"

#include <QWidget>

class QTableWidget;
class RecorderSession;

// The playlist: segments chained on the recorder, the keys that move
// segments into and out of it, and its playback keys. The polling follows
// the playing segment through playlistTick.
class Playlist : public QWidget
{
    Q_OBJECT

public:
    Playlist(RecorderSession &session, QWidget *parent);

    static std::vector<KeyInfo> Keys();
    void languageChange();

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
    void MClearPlaylist(bool clearAll);
    void DoExport();
    // Run by every polling tick: selects the row of the segment the recorder
    // is playing.
    void playlistTick();

private:
    QLayout *EditingKeys();
    QLayout *PlaybackKeys();

    RecorderSession &session;
};
