// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "traffic/commandwords.h"

#include <QSortFilterProxyModel>

#include <optional>

struct TrafficRow;

// Which rows of the traffic monitor are shown: by command group, by kind of
// outcome, with or without the polling tick's exchanges, and those whose
// words or bytes hold a searched text.
class TrafficFilter : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    enum class Outcomes { All, Replies, Acks, Naks, Timeouts, ChecksumErrors, Dropped, NotSent };

    using QSortFilterProxyModel::QSortFilterProxyModel;

    void SetGroup(std::optional<CommandGroup> group);
    void SetOutcomes(Outcomes outcomes);
    void SetPollingShown(bool shown);
    void SetSearch(const QString &text);

    static bool Accepts(const TrafficRow &row, Outcomes outcomes);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    bool Matches(const TrafficRow &row) const;

    std::optional<CommandGroup> group;
    Outcomes outcomes = Outcomes::All;
    bool pollingShown = true;
    QString search;
};
