// SPDX-License-Identifier: GPL-3.0-or-later
// The whole list against the recorder: reading every segment, erasing every
// segment, re-creating stored segments and reading the disk table.

#include "segmentlist.h"

#include "kplforms.h"

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
    reloadSegmentList();
    MarkModified();
}

// The list and the playlist start again from what the recorder holds. A
// Pellet keeps no segments.
void SegmentList::reloadSegmentList()
{
    MClearClipList(true);
    emit PlaylistClearRequested();
    if (session.Device() && pelletDevice == 0) {
        TimerModeSense();
        ReadSegments();
        readDiskTable();
    }
    ShowDiskInformation();
}

// Every number the recorder may use is asked for in turn; a number it does
// not answer for holds no segment. The walk ends early when the operator
// cancels or the recorder is given up as lost; the rows read so far stay.
// They are made once the walk is over, all at once: the exchanges go at the
// recorder's pace, not the table's.
void SegmentList::ReadSegments()
{
    std::vector<std::pair<quint16, SegmentInfo>> found;
    {
        BusyProgress progress(session, window(),
                              QStringLiteral("Reading the segments of the recorder..."),
                              kLastSegmentNumber, BusyProgress::Cancel::Offered);
        for (int number = kFirstSegmentNumber;
             number <= kLastSegmentNumber && progress.Step(number - 1) && !RecorderLost();
             ++number) {
            SegmentInfo info;
            if (SegmentInfoSense(static_cast<unsigned>(number), info))
                found.emplace_back(static_cast<quint16>(number), info);
        }
    }
    shownFrames = CurrentFrameSettings();
    rowsTimerMode = timerMode;
    TableClipList->setUpdatesEnabled(false);
    int row = insertRows(static_cast<int>(found.size()), 0, TableClipList);
    for (const auto &[number, info] : found)
        fillSegmentRow(number, row++, info, shownFrames, TableClipList);
    TableClipList->setUpdatesEnabled(true);
}

bool SegmentList::RecorderLost() const
{
    return !session.Device() || session.Device()->disconnected;
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

void SegmentList::Menu_Segment_Clear_all_activated()
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Tavrel"),
                    QStringLiteral("You are about to erase the internal segments !!!, Are you "
                                   "sure ?"),
                    QMessageBox::NoButton, this);
    QPushButton *ok = box.addButton(QStringLiteral("&Ok"), QMessageBox::AcceptRole);
    box.setEscapeButton(box.addButton(QStringLiteral("&Cancel"), QMessageBox::RejectRole));
    box.exec();
    if (box.clickedButton() != ok)
        return;
    MClearClipList(true);
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
// frame number beyond) and the segment made of them. A name that is not a
// default one is written into the row unless another row has it.
bool SegmentList::addSegmentFromRecord(const SegmentRecord &record, bool sendToRecorder)
{
    if (!session.Device() || !sendToRecorder)
        return false;
    const QByteArray name = RecordName(record);
    quint16 number = DefaultNameNumber(name);
    const bool ownName = number == 0 || NumberInList(number, TableClipList);
    if (ownName)
        number = nextFreeSegmentNumber(TableClipList);
    KeptSegment kept;
    kept.record = record;
    const int row = Recreate(kept, number);
    MarkModified();
    if (row < 0)
        return false;
    if (ownName && !name.isEmpty() && !nameExists(name, TableClipList))
        setCell(name, row, kNameCell, TableClipList);
    return true;
}
