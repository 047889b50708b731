// SPDX-License-Identifier: GPL-3.0-or-later
// The whole list against the recorder: reading every segment, erasing every
// segment, re-creating stored segments and reading the disk table.

#include "segmentlist.h"

#include "kplforms.h"

#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "protocol/recorderstate.h"
#include "protocol/segmentcommands.h"
#include "protocol/sensecommands.h"
#include "ui/common/busyprogress.h"
#include "ui/common/recordersession.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>

#include <utility>
#include <vector>

void SegmentList::DoImport()
{
    if (!session.Device())
        return;
    session.RequestLoadedFileRefresh();
    session.refreshLoadedFile();
    if (!EditAllowed())
        return;
    ImportSegments();
    MarkModified();
}

// The operator asked for the recorder's segments: the list and the playlist
// start again from what it holds. A Pellet keeps no segments.
void SegmentList::ImportSegments()
{
    MClearClipList();
    emit PlaylistClearRequested();
    if (pelletDevice == 0) {
        TimerModeSense();
        ShowSegments(ReadSegments().found);
        readDiskTable();
    }
    ShowDiskInformation();
}

// The timecode texts follow the recorder's frame settings and timer mode.
// When the recorder still holds the numbers the rows show, the rows keep
// their names and the playlist its rows; otherwise the recorder's list
// replaces them, which counts as a change, and the names and the playlist
// are marked as the recorder's (the close question says so). A reading cut
// short changes only the texts.
void SegmentList::reloadSegmentList()
{
    if (!session.Device())
        return;
    RecorderSegments read;
    read.complete = true;
    if (pelletDevice == 0) {
        TimerModeSense();
        read = ReadSegments();
    }
    rowsTimerMode = timerMode;
    shownFrames = CurrentFrameSettings();
    if (!read.complete)
        RetimeRows();
    else if (SameNumbers(read.found))
        RefreshRows(read.found);
    else
        ReplaceRows(read.found);
    if (pelletDevice == 0)
        readDiskTable();
    ShowDiskInformation();
}

// Every number the recorder may use is asked for in turn; a number it does
// not answer for holds no segment. The walk ends early when the operator
// cancels or the recorder is given up as lost.
SegmentList::RecorderSegments SegmentList::ReadSegments()
{
    RecorderSegments read;
    BusyProgress progress(session, window(),
                          QStringLiteral("Reading the segments of the recorder..."),
                          kLastSegmentNumber, BusyProgress::Cancel::Offered);
    int number = kFirstSegmentNumber;
    for (; number <= kLastSegmentNumber && progress.Step(number - 1) && !RecorderLost(); ++number) {
        SegmentInfo info;
        if (SegmentInfoSense(static_cast<unsigned>(number), info))
            read.found.emplace_back(static_cast<quint16>(number), info);
    }
    read.complete = number > kLastSegmentNumber;
    return read;
}

// The rows are made once the walk is over, all at once: the exchanges go at
// the recorder's pace, not the table's.
void SegmentList::ShowSegments(const SegmentReports &found)
{
    shownFrames = CurrentFrameSettings();
    rowsTimerMode = timerMode;
    TableClipList->setUpdatesEnabled(false);
    int row = insertRows(static_cast<int>(found.size()), 0, TableClipList);
    for (const auto &[number, info] : found)
        fillSegmentRow(number, row++, info, shownFrames, TableClipList);
    TableClipList->setUpdatesEnabled(true);
}

bool SegmentList::SameNumbers(const SegmentReports &found) const
{
    if (static_cast<int>(found.size()) != TableClipList->rowCount())
        return false;
    for (int row = 0; row < TableClipList->rowCount(); ++row) {
        if (RowSegmentNumber(row, TableClipList) != found[static_cast<size_t>(row)].first)
            return false;
    }
    return true;
}

void SegmentList::RefreshRows(const SegmentReports &found)
{
    for (int row = 0; row < TableClipList->rowCount(); ++row) {
        const auto &[number, info] = found[static_cast<size_t>(row)];
        RefreshSegmentRow(number, row, info, shownFrames, TableClipList);
    }
}

void SegmentList::RetimeRows()
{
    for (int row = 0; row < TableClipList->rowCount(); ++row)
        RefreshSegmentRow(RowSegmentNumber(row, TableClipList), row,
                          RowSegmentInfo(row, TableClipList), shownFrames, TableClipList);
}

void SegmentList::ReplaceRows(const SegmentReports &found)
{
    const bool dropped =
        TableClipList->rowCount() > 0 || (playlistTable && playlistTable->rowCount() > 0);
    MClearClipList();
    emit PlaylistClearRequested();
    ShowSegments(found);
    if (!dropped)
        return;
    replacedByRecorder = true;
    MarkModified();
    emit ReplacedByRecorder();
}

void SegmentList::readDiskTable()
{
    if (!session.Device())
        return;
    SegmentSlotsBlock block;
    SegmentSlotsSense(block);
    diskTable.count = static_cast<int>(block.count);
    diskTable.entries = block.entries;
}

void SegmentList::FollowTimerMode()
{
    if (rowsTimerMode >= 0 && timerMode != rowsTimerMode)
        reloadSegmentList();
}

bool SegmentList::ConfirmErase(QWidget *parent)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Tavrel"),
                    QStringLiteral("You are about to erase the internal segments !!!, Are you "
                                   "sure ?"),
                    QMessageBox::NoButton, parent);
    QPushButton *ok = box.addButton(QStringLiteral("&Ok"), QMessageBox::AcceptRole);
    box.setEscapeButton(box.addButton(QStringLiteral("&Cancel"), QMessageBox::RejectRole));
    box.exec();
    return box.clickedButton() == ok;
}

void SegmentList::Menu_Segment_Clear_all_activated()
{
    if (!ConfirmErase(this))
        return;
    MClearClipList();
    eraseRecorderSegments();
    emit PlaylistClearRequested();
    ShowDiskInformation();
    MarkModified();
}

// Segment numbers need not follow each other (a cut leaves a gap), so every
// number is deleted; a refusal only says that the number held no segment.
void SegmentList::eraseRecorderSegments()
{
    if (!session.Device())
        return;
    BusyProgress progress(session, window(),
                          QStringLiteral("Erasing the segments of the recorder..."),
                          kLastSegmentNumber);
    for (int number = kFirstSegmentNumber;
         number <= kLastSegmentNumber && progress.Step(number - 1) && !RecorderLost(); ++number)
        DeleteSegment(static_cast<unsigned>(number));
}

// The points are marked on the recorder (by timecode below 48 hours, by
// frame number beyond) and the segment made of them. "Seg-<n>" is made as
// segment n; when n is taken, the segment takes the next free number and
// that number's own default name, since "Seg-<n>" stays segment n's. Any
// other name is written into the row unless another row has it or a
// playlist file could not keep it.
bool SegmentList::addSegmentFromRecord(const SegmentRecord &record, bool sendToRecorder)
{
    if (!session.Device() || !sendToRecorder)
        return false;
    const QByteArray name = RecordName(record);
    const quint16 named = DefaultNameNumber(name);
    const bool free = named != 0 && !NumberInList(named, TableClipList);
    KeptSegment kept;
    kept.record = record;
    const int row = Recreate(kept, free ? named : nextFreeSegmentNumber(TableClipList));
    MarkModified();
    if (row < 0)
        return false;
    if (named == 0 && !name.isEmpty() && KplNameProblem(name, kSegmentNameMax).isEmpty() &&
        !nameExists(name, TableClipList))
        setCell(name, row, kNameCell, TableClipList);
    return true;
}
