// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "segmentrecord.h"

#include "protocol/segmentcommands.h"

#include <QByteArray>
#include <QtGlobal>

class QTableWidget;

// The rows of the segment list and of the playlist. A segment list row has
// three visible cells and three hidden ones that travel with it:
//
//   cell 0  the name (visible)
//   cell 1  in point as timecode text HH:MM:SS:FF (visible)
//   cell 2  out point as timecode text (visible)
//   cell 3  12 decimal digits: number, extra1, extra2, four digits each
//   cell 4  inPoint, its four bytes as kept in memory (little-endian)
//   cell 5  outPoint, likewise
//
// The hidden cells are kept with the row's first item, so inserting or
// removing rows can never leave a row with another segment's points. A
// playlist row uses cell 0 only. Every cell holds 0 to 32 bytes; a longer
// value is refused and the cell keeps what it had. Names are Latin-1.

constexpr int kCellMax = 32;
constexpr int kNameCell = 0;
constexpr int kInTextCell = 1;
constexpr int kOutTextCell = 2;
constexpr int kNumbersCell = 3;
constexpr int kInPointCell = 4;
constexpr int kOutPointCell = 5;

// The numbers a recorder keeps segments under.
constexpr int kFirstSegmentNumber = 1;
constexpr int kLastSegmentNumber = 2045;

// How positions become timecode texts: the recorder's nominal frame rate, the
// divisor of positions that count fields, and its drop-frame count.
struct FrameSettings
{
    double fps = 25;
    quint32 divisor = 2;
    bool dropFrame = false;
};

// The current recorder's settings; the defaults without a current recorder.
FrameSettings CurrentFrameSettings();

// "HH:MM:SS:FF" of a position.
QByteArray TimecodeText(quint32 position, const FrameSettings &frames);

// False, and the cell unchanged, for a value longer than 32 bytes.
bool setCell(const QByteArray &data, int row, int cell, QTableWidget *table);
QByteArray getCell(int row, int cell, const QTableWidget *table);

// Inserts `count` empty rows at `row` (clamped to the row count) and returns
// the index used; a count of 0 inserts nothing and returns 0.
int insertRows(int count, int row, QTableWidget *table);

// Removes rows first .. first + count - 1 (clamped to the end); a count of 0
// removes every row.
void removeRows(int count, int first, QTableWidget *table);

// The first row from the top whose name is the whole of `name`, compared
// upper-cased with `ignoreCase`. A name longer than a cell holds is never
// found.
bool findName(const QByteArray &name, bool ignoreCase, int &row, const QTableWidget *table);
bool nameExists(const QByteArray &name, const QTableWidget *table);

// The segment a playlist row's name stands for: the row of that exact name,
// else the first row of that name in another case. Everything that follows
// a playlist row to its segment (play, step, the links, the chain sent to
// the recorder, the export) resolves names this one way.
bool ResolveName(const QByteArray &name, int &row, const QTableWidget *table);

// The table's current row; false when it has none.
bool currentRow(int &row, const QTableWidget *table);

// Makes `row` the only selected row and the current cell (row, 0), and
// scrolls it into view.
void SelectOnlyRow(int row, QTableWidget *table);

// The segment a row describes, rebuilt from its cells.
SegmentRecord readSegmentRecord(int row, const QTableWidget *table);

// The segment number of a row: the first four digits of cell 3.
quint16 RowSegmentNumber(int row, const QTableWidget *table);
quint32 RowPosition(int row, int pointCell, const QTableWidget *table);

// Writes a row from what the recorder reports for segment `number`: the
// default name "Seg-" and the number, the points and their texts.
void fillSegmentRow(quint16 number, int row, const SegmentInfo &info, const FrameSettings &frames,
                    QTableWidget *table);

// Writes what the recorder reports of segment `number` into a row that
// keeps its name: the numbers, the points and their texts.
void RefreshSegmentRow(quint16 number, int row, const SegmentInfo &info,
                       const FrameSettings &frames, QTableWidget *table);

// What a row says of its segment, as the recorder reports it.
SegmentInfo RowSegmentInfo(int row, const QTableWidget *table);

// The row index a segment of this number takes so that the numbers stay in
// ascending order.
int SortedRowFor(quint16 number, const QTableWidget *table);

// The lowest number the list does not hold (rows are in number order); 0
// when the list holds every number the recorder has.
quint16 nextFreeSegmentNumber(const QTableWidget *table);

// Whether a row holds segment `number`.
bool NumberInList(quint16 number, const QTableWidget *table);

// The name a row of segment `number` gets when the operator has not named it.
QByteArray DefaultSegmentName(quint16 number);

// The segment number a default name stands for ("Seg-12" is 12), or 0 for a
// name of the operator's own.
quint16 DefaultNameNumber(const QByteArray &name);
