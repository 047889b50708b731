// SPDX-License-Identifier: GPL-3.0-or-later
// The segment list's ways to the recorder's material: cueing to a segment's
// in or out point, playing it, and the clicks on the list.

#include "segmentlist.h"

#include "filenametext.h"

#include "protocol/filecommands.h"
#include "protocol/locate.h"
#include "protocol/recorderstate.h"
#include "protocol/segmentcommands.h"
#include "protocol/sensecommands.h"
#include "protocol/transportcommands.h"
#include "ui/common/recordersession.h"

#include <QLineEdit>
#include <QTableWidget>

void SegmentList::DoGotoIn()
{
    GotoPoint(kInPointCell);
}

void SegmentList::DoGotoOut()
{
    GotoPoint(kOutPointCell);
}

void SegmentList::GotoPoint(int pointCell)
{
    int row = 0;
    if (EditAllowed() && currentRow(row, TableClipList))
        CueTo(row, pointCell);
}

// Below 48 hours of timecode the recorder is cued by timecode, beyond by
// frame number.
void SegmentList::CueTo(int row, int pointCell)
{
    LocateByPosition(RowPosition(row, pointCell, TableClipList));
}

// The right button renames (while the playlist is empty); the left one on a
// name shows the file the segment was cut from, on recorders that keep files.
void SegmentList::TableClipList_clicked(int row, int column, Qt::MouseButton button)
{
    if (row < 0 || row >= TableClipList->rowCount() || !session.Device())
        return;
    if (button == Qt::RightButton) {
        if (RightClickRenames(column)) {
            TableClipList->setCurrentCell(row, kNameCell);
            StartRename(row);
        }
        return;
    }
    if (button != Qt::LeftButton || column != kNameCell || legacyFirmware != 0)
        return;
    const quint16 number = RowSegmentNumber(row, TableClipList);
    emit CurrentSegmentChosen(number);
    ShowSource(number);
}

void SegmentList::ShowSource(quint16 number)
{
    QString source;
    if (!SegmentSourceSense(number, source))
        return;
    EdDiskName->setText(NamesAFile(source) ? source : QString());
}

// A double click plays the segment (on its name) or cues the recorder to its
// in or out point, having loaded the file it was cut from.
void SegmentList::TableClipList_doubleClicked(int row, int column)
{
    if (row < 0 || row >= TableClipList->rowCount())
        return;
    const quint16 number = RowSegmentNumber(row, TableClipList);
    if (IsPlaying()) {
        Stop();
        emit PlaybackInterrupted();
    }
    emit CurrentSegmentChosen(number);
    if (column == kNameCell) {
        PlaySegment(number);
        return;
    }
    if (legacyFirmware == 0)
        LoadSource(number);
    CueTo(row, column == kInTextCell ? kInPointCell : kOutPointCell);
}

// A segment whose source the recorder does not name, or names as no file,
// is cued in whatever is loaded.
void SegmentList::LoadSource(quint16 number)
{
    QString source;
    if (!SegmentSourceSense(number, source) || !NamesAFile(source))
        return;
    LoadClip(source);
    WaitCueUpComplete();
}
