// SPDX-License-Identifier: GPL-3.0-or-later
#include "segmentpage.h"

#include "csvexport.h"
#include "edlexport.h"
#include "playlist.h"
#include "playlistfile.h"
#include "segmentlist.h"
#include "ui/common/recordersession.h"
#include "ui/common/widgetfactory.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>

namespace {

using G = SegmentPage;
constexpr Trigger kClicked = Trigger::Clicked;

const KeyEntry<SegmentPage> kKeys[] = {
    {&G::pb_Enter, "pb_Enter", "Enter.png", "Enter", "Return", kClicked, &G::pb_Enter_clicked},
    {&G::pbEsc2, "pbEsc2", "Esc.png", "Esc", "Esc", kClicked, &G::pbEsc2_clicked},
};

} // namespace

SegmentPage::SegmentPage(RecorderSession &session, QWidget *parent)
    : QWidget(parent), segments(new SegmentList(session, this)),
      playlist(new Playlist(session, *segments, this)),
      file(new PlaylistFile(session, *segments, *playlist, this)),
      csv(new CsvExport(session, *segments, *playlist, this)),
      edl(new EdlExport(session, *segments, *playlist, this)), session(session)
{
    setObjectName(QStringLiteral("tab_4"));
    ConnectParts();
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);
    grid->addWidget(BuildDisplay(), 0, 0, 1, 2);
    grid->addWidget(segments, 1, 0);
    grid->addWidget(playlist, 1, 1);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setRowStretch(1, 1);
}

std::vector<KeyInfo> SegmentPage::Keys()
{
    return JoinKeys(
        {DescribeKeys(kKeys, PanelPage::Segment), SegmentList::Keys(), Playlist::Keys()});
}

void SegmentPage::languageChange()
{
    segments->languageChange();
    playlist->languageChange();
}

// The second copy of the display, with the menu keys that end an entry.
QWidget *SegmentPage::BuildDisplay()
{
    buttonGroup4_2 = NewNamed<QGroupBox>(this, "buttonGroup4_2");
    buttonGroup4_2->setProperty("display", true);
    BuildKeys(*this, buttonGroup4_2, kKeys);
    auto *row = new QHBoxLayout(buttonGroup4_2);
    row->addLayout(NewDisplayLines(buttonGroup4_2, "lineLCD2", "lineLCD4", lineLCD2, lineLCD4), 1);
    row->addWidget(pbEsc2);
    row->addWidget(pb_Enter);
    Describe(lineLCD2, "Display upper line");
    Describe(lineLCD4, "Display lower line");
    return buttonGroup4_2;
}

// What the segment list does to the playlist beside it.
void SegmentPage::ConnectParts()
{
    segments->WatchPlaylist(playlist->TablePlaylist);
    connect(segments, &SegmentList::PlaylistClearRequested, playlist,
            [this] { playlist->MClearPlaylist(); });
    connect(segments, &SegmentList::PlaybackInterrupted, playlist, &Playlist::StoppedForPlay);
    connect(segments, &SegmentList::CurrentSegmentChosen, playlist, &Playlist::SetCurrentSegment);
    connect(segments, &SegmentList::CopyToPlaylist, playlist, &Playlist::InsertSegment);
    connect(segments, &SegmentList::SegmentRenaming, playlist, &Playlist::RenameRows);
    // What the file held is no longer in the lists: a Save must not write
    // the recorder's list over it unasked.
    connect(segments, &SegmentList::ReplacedByRecorder, file,
            &PlaylistFile::DeletePlaylistDocument);
}

// Esc ends a time entry on the keypad and the name entry here.
void SegmentPage::pbEsc2_clicked()
{
    session.ResetTimecodeEntry();
}

void SegmentPage::pb_Enter_clicked()
{
    if (!session.DelayModeHolds() && segments->EntryActive())
        segments->lineEdit22_2_returnPressed();
}
