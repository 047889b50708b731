// SPDX-License-Identifier: GPL-3.0-or-later
#include "segmentrows.h"

#include "kplforms.h"

#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "protocol/bcd.h"
#include "protocol/timecode.h"
#include "protocol/videostandard.h"

#include <QTableWidget>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kVisibleCells = 3;
constexpr int kCellCount = 6;
constexpr int kNumbersLength = 12;
const QByteArray kDefaultNamePrefix = QByteArrayLiteral("Seg-");

int HiddenRole(int cell)
{
    return Qt::UserRole + cell;
}

// The item of a cell, made when the cell is first written.
QTableWidgetItem *ItemAt(int row, int column, QTableWidget *table)
{
    QTableWidgetItem *item = table->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        table->setItem(row, column, item);
    }
    return item;
}

QByteArray PositionBytes(quint32 position)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(position, bytes.data());
    return bytes;
}

// The hidden cells of a row, from what the recorder reports of its segment.
void SetReportedCells(QTableWidgetItem *name, quint16 number, const SegmentInfo &info)
{
    char numbers[kNumbersLength];
    DecimalDigits3(number, info.extra1, info.extra2, numbers);
    name->setData(HiddenRole(kNumbersCell), QByteArray(numbers, kNumbersLength));
    name->setData(HiddenRole(kInPointCell), PositionBytes(info.inPoint));
    name->setData(HiddenRole(kOutPointCell), PositionBytes(info.outPoint));
}

} // namespace

FrameSettings CurrentFrameSettings()
{
    FrameSettings frames;
    if (CurrentDevice) {
        frames.fps = VideoStandardFps(static_cast<int>(CurrentDevice->videoStandard));
        frames.dropFrame = CurrentDevice->dropFrame != 0;
    }
    frames.divisor = positionDivisor;
    return frames;
}

QByteArray TimecodeText(quint32 position, const FrameSettings &frames)
{
    char text[kCellMax];
    FormatFramePosition(position, text, sizeof text, true, frames.fps, frames.divisor,
                        frames.dropFrame);
    return QByteArray(text);
}

bool setCell(const QByteArray &data, int row, int cell, QTableWidget *table)
{
    if (data.size() > kCellMax || row < 0 || row >= table->rowCount() || cell < 0 ||
        cell >= kCellCount)
        return false;
    if (cell < kVisibleCells)
        ItemAt(row, cell, table)->setText(QString::fromLatin1(data));
    else
        ItemAt(row, kNameCell, table)->setData(HiddenRole(cell), data);
    return true;
}

QByteArray getCell(int row, int cell, const QTableWidget *table)
{
    const int column = cell < kVisibleCells ? cell : kNameCell;
    const QTableWidgetItem *item = table->item(row, column);
    if (!item)
        return {};
    if (cell < kVisibleCells)
        return item->text().toLatin1();
    return item->data(HiddenRole(cell)).toByteArray();
}

int insertRows(int count, int row, QTableWidget *table)
{
    if (count <= 0)
        return 0;
    row = std::clamp(row, 0, table->rowCount());
    table->model()->insertRows(row, count);
    return row;
}

void removeRows(int count, int first, QTableWidget *table)
{
    if (count == 0) {
        first = 0;
        count = table->rowCount();
    }
    first = std::max(first, 0);
    const int end = std::min(first + count, table->rowCount());
    if (end > first)
        table->model()->removeRows(first, end - first);
}

bool findName(const QByteArray &name, bool ignoreCase, int &row, const QTableWidget *table)
{
    if (name.size() > kCellMax)
        return false;
    const QByteArray wanted = ignoreCase ? name.toUpper() : name;
    for (int r = 0; r < table->rowCount(); ++r) {
        const QByteArray cell = getCell(r, kNameCell, table);
        if ((ignoreCase ? cell.toUpper() : cell) == wanted) {
            row = r;
            return true;
        }
    }
    return false;
}

bool nameExists(const QByteArray &name, const QTableWidget *table)
{
    int row = 0;
    return findName(name, false, row, table);
}

bool ResolveName(const QByteArray &name, int &row, const QTableWidget *table)
{
    return !name.isEmpty() &&
           (findName(name, false, row, table) || findName(name, true, row, table));
}

bool currentRow(int &row, const QTableWidget *table)
{
    const int current = table->currentRow();
    if (current < 0 || current >= table->rowCount())
        return false;
    row = current;
    return true;
}

void SelectOnlyRow(int row, QTableWidget *table)
{
    table->clearSelection();
    table->setCurrentCell(row, 0, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table->scrollToItem(table->item(row, 0));
}

SegmentRecord readSegmentRecord(int row, const QTableWidget *table)
{
    SegmentRecord record;
    SetRecordName(record, getCell(row, kNameCell, table));
    record.inPoint = RowPosition(row, kInPointCell, table);
    record.outPoint = RowPosition(row, kOutPointCell, table);
    QByteArray numbers = getCell(row, kNumbersCell, table);
    numbers = numbers.leftJustified(kNumbersLength, '0', true);
    const std::array<int, 3> values = ParseDecimal4x3(numbers.constData());
    record.number = static_cast<quint16>(values[0]);
    record.extra1 = static_cast<quint16>(values[1]);
    record.extra2 = static_cast<quint16>(values[2]);
    return record;
}

quint16 RowSegmentNumber(int row, const QTableWidget *table)
{
    const QByteArray digits = getCell(row, kNumbersCell, table).leftJustified(4, '0', true);
    return static_cast<quint16>(ParseDecimal4(digits.constData()));
}

quint32 RowPosition(int row, int pointCell, const QTableWidget *table)
{
    const QByteArray bytes = getCell(row, pointCell, table);
    return bytes.size() == 4 ? qFromLittleEndian<quint32>(bytes.constData()) : 0;
}

// The row's items are made whole before they go into the table, so that a
// reload of thousands of rows costs the table one change a cell.
void fillSegmentRow(quint16 number, int row, const SegmentInfo &info, const FrameSettings &frames,
                    QTableWidget *table)
{
    auto *name = new QTableWidgetItem(QString::fromLatin1(DefaultSegmentName(number)));
    SetReportedCells(name, number, info);
    table->setItem(row, kNameCell, name);
    table->setItem(row, kInTextCell,
                   new QTableWidgetItem(QString::fromLatin1(TimecodeText(info.inPoint, frames))));
    table->setItem(row, kOutTextCell,
                   new QTableWidgetItem(QString::fromLatin1(TimecodeText(info.outPoint, frames))));
}

void RefreshSegmentRow(quint16 number, int row, const SegmentInfo &info,
                       const FrameSettings &frames, QTableWidget *table)
{
    SetReportedCells(ItemAt(row, kNameCell, table), number, info);
    setCell(TimecodeText(info.inPoint, frames), row, kInTextCell, table);
    setCell(TimecodeText(info.outPoint, frames), row, kOutTextCell, table);
}

SegmentInfo RowSegmentInfo(int row, const QTableWidget *table)
{
    const SegmentRecord record = readSegmentRecord(row, table);
    return {record.inPoint, record.outPoint, record.extra1, record.extra2};
}

int SortedRowFor(quint16 number, const QTableWidget *table)
{
    int row = 0;
    while (row < table->rowCount() && RowSegmentNumber(row, table) < number)
        ++row;
    return row;
}

quint16 nextFreeSegmentNumber(const QTableWidget *table)
{
    const int rows = table->rowCount();
    for (int row = 0; row < rows && row < kLastSegmentNumber; ++row) {
        if (RowSegmentNumber(row, table) != row + 1)
            return static_cast<quint16>(row + 1);
    }
    return rows >= kLastSegmentNumber ? 0 : static_cast<quint16>(rows + 1);
}

bool NumberInList(quint16 number, const QTableWidget *table)
{
    const int row = SortedRowFor(number, table);
    return row < table->rowCount() && RowSegmentNumber(row, table) == number;
}

QByteArray DefaultSegmentName(quint16 number)
{
    char digits[4];
    const int count = DecimalDigits(number, digits, false);
    return kDefaultNamePrefix + QByteArray(digits, count);
}

quint16 DefaultNameNumber(const QByteArray &name)
{
    if (!name.startsWith(kDefaultNamePrefix))
        return 0;
    const QByteArray digits = name.mid(kDefaultNamePrefix.size());
    if (digits.isEmpty() || digits.size() > 4 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return 0;
    const int number = digits.toInt();
    return number >= kFirstSegmentNumber && number <= kLastSegmentNumber
               ? static_cast<quint16>(number)
               : 0;
}
