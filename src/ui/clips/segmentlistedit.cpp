// SPDX-License-Identifier: GPL-3.0-or-later
// Making and removing segments: create, cut and its undo, copy and paste,
// and copying a segment into the playlist.

#include "segmentlist.h"

#include "filenametext.h"
#include "kplforms.h"

#include "link/linkstatus.h"
#include "link/timing.h"
#include "protocol/commandsend.h"
#include "protocol/filecommands.h"
#include "protocol/locate.h"
#include "protocol/recorderstate.h"
#include "protocol/segmentcommands.h"
#include "protocol/transportcommands.h"
#include "ui/common/recordersession.h"

#include <QTableWidget>

namespace {

// The recorder needs a moment after a cue before it marks a point there.
constexpr quint32 kMarkPauseMs = 300;

} // namespace

// Inserts the row of segment `number` where its number keeps the list in
// order, makes it the selected row and returns its index.
int SegmentList::AddSegmentRow(quint16 number, const SegmentInfo &info)
{
    shownFrames = CurrentFrameSettings();
    if (rowsTimerMode < 0)
        rowsTimerMode = timerMode;
    const int row = insertRows(1, SortedRowFor(number, TableClipList), TableClipList);
    fillSegmentRow(number, row, info, shownFrames, TableClipList);
    SelectOnlyRow(row, TableClipList);
    return row;
}

// The segment is made from the in and out points marked on the recorder
// under the lowest free number.
void SegmentList::DoCreateClip()
{
    if (!EditAllowed())
        return;
    const quint16 number = nextFreeSegmentNumber(TableClipList);
    if (number == 0)
        return;
    const bool created = CreateSegment(number);
    SegmentInfo info;
    if (SegmentInfoSense(number, info))
        AddSegmentRow(number, info);
    else if (!created)
        Warn(QStringLiteral("The recorder did not create segment %1: mark its in and out "
                            "points first.")
                 .arg(number));
    MarkModified();
}

// The row goes only once the recorder has deleted the segment; it is kept
// for Undo, with the file it was cut from.
void SegmentList::DoCut()
{
    int row = 0;
    if (!EditAllowed() || !currentRow(row, TableClipList))
        return;
    const KeptSegment kept = KeepRow(row);
    if (DeleteSegment(kept.record.number) != kStatusOk)
        return;
    cutSegment = kept;
    removeRows(1, row, TableClipList);
    const int rows = TableClipList->rowCount();
    if (rows > 0)
        SelectOnlyRow(std::min(row, rows - 1), TableClipList);
    MarkModified();
}

SegmentList::KeptSegment SegmentList::KeepRow(int row) const
{
    KeptSegment kept;
    kept.record = readSegmentRecord(row, TableClipList);
    kept.held = true;
    if (legacyFirmware == 0)
        SegmentSourceSense(kept.record.number, kept.source);
    return kept;
}

// The segment last cut comes back under its own number when that is still
// free, else under the lowest free one, with its name.
void SegmentList::DoUndo()
{
    if (!EditAllowed() || !cutSegment.held)
        return;
    const quint16 own = cutSegment.record.number;
    const quint16 number = NumberInList(own, TableClipList) || own < kFirstSegmentNumber
                               ? nextFreeSegmentNumber(TableClipList)
                               : own;
    const int row = Recreate(cutSegment, number);
    if (row < 0)
        return;
    NameRecreated(row, RecordName(cutSegment.record));
    cutSegment.held = false;
    MarkModified();
}

void SegmentList::DoCopy()
{
    int row = 0;
    if (EditAllowed() && currentRow(row, TableClipList))
        copiedSegment = KeepRow(row);
}

// A copy of the segment last copied, under the lowest free number.
void SegmentList::DoPaste()
{
    if (!EditAllowed() || !copiedSegment.held)
        return;
    const int row = Recreate(copiedSegment, nextFreeSegmentNumber(TableClipList));
    if (row < 0)
        return;
    NameRecreated(row, RecordName(copiedSegment.record));
    MarkModified();
}

// Marks the kept points on the recorder (in the file the segment came from,
// where the recorder names one) and makes segment `number` of them. Returns
// the new row, or -1 when the recorder did not make the segment.
int SegmentList::Recreate(const KeptSegment &kept, quint16 number)
{
    if (number == 0)
        return -1;
    if (NamesAFile(kept.source)) {
        LoadClip(kept.source);
        WaitCueUpComplete();
    }
    MarkPoint(kept.record.inPoint, true);
    MarkPoint(kept.record.outPoint, false);
    CreateSegment(number);
    SegmentInfo info;
    if (!SegmentInfoSense(number, info))
        return -1;
    return AddSegmentRow(number, info);
}

// A default name becomes that of the new number; a name of the operator's
// own stays, with a suffix when another row has it.
void SegmentList::NameRecreated(int row, const QByteArray &name)
{
    if (DefaultNameNumber(name) == 0 && !name.isEmpty())
        setCell(UnusedName(name), row, kNameCell, TableClipList);
}

void SegmentList::MarkPoint(quint32 position, bool in)
{
    LocateByPosition(position);
    DelayMs(kMarkPauseMs);
    if (in)
        InEntry();
    else
        OutEntry();
}

// "Intro" when no row has that name, else "Intro-2", "Intro-3" ...,
// shortened where needed to fit a name cell.
QByteArray SegmentList::UnusedName(const QByteArray &name) const
{
    if (!nameExists(name, TableClipList))
        return name;
    for (int copy = 2;; ++copy) {
        const QByteArray suffix = '-' + QByteArray::number(copy);
        const QByteArray candidate = name.left(kSegmentNameMax - suffix.size()) + suffix;
        if (!nameExists(candidate, TableClipList))
            return candidate;
    }
}

void SegmentList::DoCopyToTimeline()
{
    CopyCurrentToPlaylist(true);
}

void SegmentList::DoCopyToEnd()
{
    CopyCurrentToPlaylist(false);
}

void SegmentList::CopyCurrentToPlaylist(bool atSelectedRow)
{
    int row = 0;
    if (EditAllowed() && currentRow(row, TableClipList))
        emit CopyToPlaylist(getCell(row, kNameCell, TableClipList), atSelectedRow);
}
