#pragma once

#include <QObject>

class RecorderSession;

// The playlist document: the KPL file the segment list and the playlist are
// saved to and loaded from, behind the File menu's New, Open, Save and
// Save As.
class PlaylistFile : public QObject
{
    Q_OBJECT

public:
    PlaylistFile(RecorderSession &session, QObject *parent);

    // Asked before the program ends; true lets it end.
    bool closePrompt();
    void DeletePlaylistDocument();

public slots:
    void DoNew();
    void DoOpen();
    void DoSave();
    void DoSaveAs();

private:
    RecorderSession &session;
};
