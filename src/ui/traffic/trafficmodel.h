// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "trafficrow.h"

#include <QAbstractTableModel>

#include <deque>
#include <vector>

// The rows of the traffic monitor, oldest first, at most kMaxRows of them
// (the oldest go first). A row is put into words only when a view shows it
// or a search reads it.
class TrafficModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    static constexpr int kMaxRows = 100'000;

    enum Column { Time, Direction, Recorder, Command, Sent, Received, Meaning, RoundTrip, Outcome };
    static constexpr int kColumnCount = Outcome + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void Append(std::vector<TrafficRow> rows);
    void Clear();
    const TrafficRow &Row(int row) const { return rows[static_cast<std::size_t>(row)]; }

    // The text of a cell, as shown and as copied.
    static QString CellText(const TrafficRow &row, int column);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::deque<TrafficRow> rows;
};
