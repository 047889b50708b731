// SPDX-License-Identifier: GPL-3.0-or-later
#include "trafficfilter.h"

#include "trafficmodel.h"

#include "protocol/commandcodes.h"

namespace {

bool ReplyIs(const TrafficRow &row, quint8 command)
{
    const ExchangeReport &report = row.report;
    return report.outcome == ExchangeOutcome::Reply && report.replyLength >= 2 &&
           (report.reply[0] >> 4) == kReturnGroup && report.reply[1] == command;
}

} // namespace

void TrafficFilter::SetGroup(std::optional<CommandGroup> shown)
{
    group = shown;
    invalidateFilter();
}

void TrafficFilter::SetOutcomes(Outcomes shown)
{
    outcomes = shown;
    invalidateFilter();
}

void TrafficFilter::SetPollingShown(bool shown)
{
    pollingShown = shown;
    invalidateFilter();
}

void TrafficFilter::SetSearch(const QString &text)
{
    search = text.trimmed();
    invalidateFilter();
}

bool TrafficFilter::Accepts(const TrafficRow &row, Outcomes outcomes)
{
    const ExchangeOutcome outcome = row.report.outcome;
    switch (outcomes) {
    case Outcomes::All:
        return true;
    case Outcomes::Replies:
        return outcome == ExchangeOutcome::Reply && !row.LinkDropped();
    case Outcomes::Acks:
        return ReplyIs(row, kAckCommand);
    case Outcomes::Naks:
        return ReplyIs(row, kNakCommand);
    case Outcomes::Timeouts:
        return outcome == ExchangeOutcome::Timeout;
    case Outcomes::ChecksumErrors:
        return outcome == ExchangeOutcome::BadChecksum;
    case Outcomes::Dropped:
        return outcome == ExchangeOutcome::Dropped;
    case Outcomes::NotSent:
        return outcome == ExchangeOutcome::SendFailed || outcome == ExchangeOutcome::NotSent;
    }
    return true;
}

bool TrafficFilter::filterAcceptsRow(int sourceRow, const QModelIndex &) const
{
    const auto *model = static_cast<const TrafficModel *>(sourceModel());
    const TrafficRow &row = model->Row(sourceRow);
    if (!pollingShown && row.report.polling)
        return false;
    if (group && (row.report.sentLength == 0 || GroupOf(row.report.sent[0]) != *group))
        return false;
    return Accepts(row, outcomes) && Matches(row);
}

// The search reads every column as shown, ignoring case.
bool TrafficFilter::Matches(const TrafficRow &row) const
{
    if (search.isEmpty())
        return true;
    for (int column = 0; column < TrafficModel::kColumnCount; ++column) {
        if (TrafficModel::CellText(row, column).contains(search, Qt::CaseInsensitive))
            return true;
    }
    return false;
}
