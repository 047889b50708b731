// SPDX-License-Identifier: GPL-3.0-or-later
#include "playlist.h"

#include "kplforms.h"
#include "segmentlist.h"
#include "segmentrows.h"

#include "protocol/sensecommands.h"
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

Playlist::Playlist(RecorderSession &session, SegmentList &segments, QWidget *parent)
    : QWidget(parent), session(session), segments(segments)
{
    BuildKeys(*this, this, kKeys);
    pbLoop->setCheckable(true);
    TablePlaylist = NewNamed<QTableWidget>(this, "TablePlaylist");
    SetUpListTable(TablePlaylist, 1);
    TablePlaylist->setSelectionMode(QAbstractItemView::SingleSelection);
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

void Playlist::AppendRow(const QByteArray &name)
{
    const int row = insertRows(1, TablePlaylist->rowCount(), TablePlaylist);
    setCell(name, row, kNameCell, TablePlaylist);
}

QByteArray Playlist::RowName(int row) const
{
    return getCell(row, kNameCell, TablePlaylist);
}

void Playlist::OnPbAddAfter()
{
    InsertCurrentSegment(false);
}

void Playlist::OnPbAddBefore()
{
    InsertCurrentSegment(true);
}

// The segment selected in the segment list goes before or after the
// playlist's selected row, or to the end without one.
void Playlist::InsertCurrentSegment(bool before)
{
    int segmentRow = 0;
    if (!session.EditAllowed() || !currentRow(segmentRow, segments.TableClipList))
        return;
    const SegmentRecord record = readSegmentRecord(segmentRow, segments.TableClipList);
    int row = TablePlaylist->rowCount();
    if (currentRow(row, TablePlaylist) && !before)
        ++row;
    InsertRow(RecordName(record), row);
}

void Playlist::InsertSegment(const QByteArray &name, bool atSelectedRow)
{
    int row = TablePlaylist->rowCount();
    if (atSelectedRow)
        currentRow(row, TablePlaylist);
    InsertRow(name, row);
}

void Playlist::InsertRow(const QByteArray &name, int row)
{
    row = insertRows(1, row, TablePlaylist);
    setCell(name, row, kNameCell, TablePlaylist);
    SelectOnlyRow(row, TablePlaylist);
    session.MarkModified();
}

void Playlist::RenameRows(int segmentRow, const QByteArray &newName)
{
    for (int row = 0; row < TablePlaylist->rowCount(); ++row) {
        int resolved = -1;
        if (ResolveName(RowName(row), resolved, segments.TableClipList) && resolved == segmentRow)
            setCell(newName, row, kNameCell, TablePlaylist);
    }
}

// The row that takes the removed row's place is selected, or the new last
// row when the last was removed.
void Playlist::OnPbRemove()
{
    int row = 0;
    if (!currentRow(row, TablePlaylist))
        return;
    removeRows(1, row, TablePlaylist);
    const int rows = TablePlaylist->rowCount();
    if (rows > 0)
        SelectOnlyRow(std::min(row, rows - 1), TablePlaylist);
    session.MarkModified();
}

void Playlist::OnPbRemoveAll()
{
    removeRows(0, 0, TablePlaylist);
    session.MarkModified();
}

void Playlist::OnPbNext()
{
    StepSelection(1);
}

void Playlist::OnPbPrevious()
{
    StepSelection(-1);
}

// The selection steps round: past the last row to the first and back, with
// or without the loop key, and plays the row it lands on.
void Playlist::StepSelection(int step)
{
    const int rows = TablePlaylist->rowCount();
    if (!session.EditAllowed() || rows == 0)
        return;
    const bool playing = IsPlaying();
    if (playing)
        StopForPlay();
    int row = 0;
    if (currentRow(row, TablePlaylist))
        row = (row + step + rows) % rows;
    else
        row = 0;
    SelectOnlyRow(row, TablePlaylist);
    playSelectedRow(!playing);
}

void Playlist::TablePlaylist_doubleClicked(int, int)
{
    playSelectedRow();
}

void Playlist::pbStartPlaylist_pressed()
{
    playSelectedRow();
}

void Playlist::pbStart_pressed()
{
    playSelectedRow();
}

// Abort stops the recorder at once, whatever the playlist is doing.
void Playlist::pbAbort_pressed()
{
    Stop();
}

void Playlist::MClearPlaylist()
{
    removeRows(0, 0, TablePlaylist);
}
