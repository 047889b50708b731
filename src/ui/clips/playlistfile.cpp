#include "playlistfile.h"

#include "ui/common/recordersession.h"

PlaylistFile::PlaylistFile(RecorderSession &session, QObject *parent)
    : QObject(parent), session(session)
{}

// Without a playlist document there is nothing to lose.
bool PlaylistFile::closePrompt()
{
    return true;
}

void PlaylistFile::DeletePlaylistDocument() {}

void PlaylistFile::DoNew() {}

void PlaylistFile::DoOpen() {}

void PlaylistFile::DoSave() {}

void PlaylistFile::DoSaveAs() {}
