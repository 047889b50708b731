// SPDX-License-Identifier: GPL-3.0-or-later
// The document itself: the question about unsaved changes, New, and the
// message boxes the file operations show.

#include "playlistfile.h"

#include "playlist.h"
#include "segmentlist.h"

#include "protocol/datafile.h"
#include "ui/common/pollingpause.h"
#include "ui/common/recordersession.h"

#include <QMessageBox>
#include <QPushButton>

PlaylistFile::PlaylistFile(RecorderSession &session, SegmentList &segments, Playlist &playlist,
                           QObject *parent)
    : QObject(parent), session(session), segments(segments), playlist(playlist)
{}

PlaylistFile::~PlaylistFile() = default;

PlaylistFile::ClosePrompt PlaylistFile::closePrompt(quint16 modifiedCount)
{
    if (modifiedCount == 0)
        return GoOn;
    QString text = QStringLiteral("Save Changes before closing ?");
    if (segments.ReplacedWithRecordersList())
        text += QStringLiteral("\n\nThe segment names and the playlist come from the recorder: "
                               "a reload of the segment list replaced the names and the "
                               "playlist rows of the file.");
    QMessageBox box(QMessageBox::Information, QStringLiteral("Tavrel"), text, QMessageBox::NoButton,
                    Window());
    QPushButton *yes = box.addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
    QPushButton *no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    box.setEscapeButton(box.addButton(QStringLiteral("&Cancel"), QMessageBox::RejectRole));
    box.setDefaultButton(yes);
    box.exec();
    if (box.clickedButton() == yes)
        return SaveFirst;
    return box.clickedButton() == no ? GoOn : Cancel;
}

// A save that wrote nothing (refused, failed, its dialog cancelled) keeps
// the changes: what it would have saved is still only in the lists.
bool PlaylistFile::ReadyToClose()
{
    switch (closePrompt(segments.ModifiedCount())) {
    case Cancel:
        return false;
    case GoOn:
        return true;
    case SaveFirst:
        break;
    }
    return SaveAllowed(true) && Save() != SaveResult::NotWritten;
}

void PlaylistFile::DeletePlaylistDocument()
{
    document.reset();
}

QString PlaylistFile::DocumentPath() const
{
    return document ? document->Path() : QString();
}

void PlaylistFile::DoNew()
{
    if (!session.EditAllowed() || !ReadyToClose() || !SegmentList::ConfirmErase(Window()))
        return;
    StartEmpty();
}

// No segment on the recorder or in the lists, and the recorder's own disks
// in the disk table: the disk name of the file closed is not carried over.
void PlaylistFile::StartEmpty()
{
    PollingPause pause(session);
    segments.MClearClipList();
    segments.eraseRecorderSegments();
    playlist.MClearPlaylist();
    segments.diskTable = DiskTable{};
    segments.ShowDiskInformation();
    segments.readDiskTable();
    document.reset();
    segments.ResetModified();
}

void PlaylistFile::Tell(const QString &text, bool critical)
{
    QMessageBox box(critical ? QMessageBox::Critical : QMessageBox::Information,
                    QStringLiteral("Tavrel"), text, QMessageBox::NoButton, Window());
    box.setEscapeButton(box.addButton(QStringLiteral("&Ok"), QMessageBox::AcceptRole));
    box.exec();
}

QWidget *PlaylistFile::Window() const
{
    return segments.window();
}
