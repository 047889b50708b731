#include "playlist.h"

#include "protocol/transportcommands.h"
#include "ui/common/listtable.h"
#include "ui/common/recordersession.h"
#include "ui/common/widgetfactory.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

using P = Playlist;
constexpr Trigger kPressed = Trigger::Pressed;

const KeyEntry<Playlist> kKeys[] = {
    {&P::pbStart, "pbStart", "Start.png", "Start", "Space", kPressed, &P::pbStart_pressed},
    {&P::pbPause, "pbPause", "Pause.png", "Pause", "P", kPressed, &P::pbPause_pressed},
    {&P::pbAbort, "pbAbort", "Abort.png", "Abort", "A", kPressed, &P::pbAbort_pressed},
    // Read when stepping past the last row, which then wraps to the first.
    {&P::pbLoop, "pbLoop", "Loop.png", "Loop", "L", kPressed, nullptr},
    {&P::pbPrev, "pbPrev", "Previous.png", "Previous", "PgUp", kPressed, &P::OnPbPrevious},
    {&P::pbNext, "pbNext", "Next.png", "Next", "PgDown", kPressed, &P::OnPbNext},
    {&P::pbAddBefore, "pbAddBefore", "AddBefore.png", "Add before", "Shift+B", kPressed,
     &P::OnPbAddBefore},
    {&P::pbAddAfter, "pbAddAfter", "AddAfter.png", "Add after", "Shift+A", kPressed,
     &P::OnPbAddAfter},
    {&P::pbRemove, "pbRemove", "RemoveSel.png", "Remove", "Del", kPressed, &P::OnPbRemove},
    {&P::pbRemoveAll, "pbRemoveAll", "RemoveAll.png", "Remove all", "Shift+Del", kPressed,
     &P::OnPbRemoveAll},
};

} // namespace

Playlist::Playlist(RecorderSession &session, QWidget *parent) : QWidget(parent), session(session)
{
    BuildKeys(*this, this, kKeys);
    pbLoop->setCheckable(true);
    TablePlaylist = NewNamed<QTableWidget>(this, "TablePlaylist");
    SetUpListTable(TablePlaylist, 1);
    Describe(TablePlaylist, "Playlist");
    connect(TablePlaylist, &QTableWidget::cellDoubleClicked, this,
            &Playlist::TablePlaylist_doubleClicked);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addLayout(EditingKeys());
    auto *column = new QVBoxLayout;
    column->addWidget(TablePlaylist, 1);
    column->addLayout(PlaybackKeys());
    row->addLayout(column, 1);
}

std::vector<KeyInfo> Playlist::Keys()
{
    return DescribeKeys(kKeys, PanelPage::Segment);
}

void Playlist::languageChange()
{
    SetHeaders(TablePlaylist, {"Playlist"});
}

// The keys that move segments into and out of the playlist, between the
// segment list and the playlist.
QLayout *Playlist::EditingKeys()
{
    auto *column = new QVBoxLayout;
    column->addStretch(1);
    column->addWidget(pbAddBefore);
    column->addWidget(pbAddAfter);
    column->addSpacing(16);
    column->addWidget(pbRemove);
    column->addWidget(pbRemoveAll);
    column->addStretch(1);
    return column;
}

QLayout *Playlist::PlaybackKeys()
{
    auto *keys = new QGridLayout;
    keys->setSpacing(4);
    keys->addWidget(pbPrev, 0, 0);
    keys->addWidget(pbStart, 0, 1);
    keys->addWidget(pbNext, 0, 2);
    keys->addWidget(pbPause, 1, 0);
    keys->addWidget(pbAbort, 1, 1);
    keys->addWidget(pbLoop, 1, 2);
    return keys;
}

void Playlist::OnPbAddAfter() {}

void Playlist::OnPbAddBefore() {}

void Playlist::OnPbRemove() {}

void Playlist::OnPbRemoveAll() {}

void Playlist::OnPbNext() {}

void Playlist::OnPbPrevious() {}

void Playlist::TablePlaylist_doubleClicked(int, int) {}

void Playlist::pbStartPlaylist_pressed() {}

void Playlist::pbStart_pressed() {}

void Playlist::pbPause_pressed() {}

// Abort stops the recorder at once, whatever the playlist is doing.
void Playlist::pbAbort_pressed()
{
    Stop();
}

void Playlist::MClearPlaylist(bool) {}

void Playlist::DoExport() {}

void Playlist::playlistTick() {}
