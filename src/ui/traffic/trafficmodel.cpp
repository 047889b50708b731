// SPDX-License-Identifier: GPL-3.0-or-later
#include "trafficmodel.h"

#include "traffic/replywords.h"
#include "traffic/wirewords.h"

#include <QDateTime>

namespace {

const char *const kHeaders[TrafficModel::kColumnCount] = {
    "Time", "Dir", "Recorder", "Command", "Sent", "Received", "Meaning", "Round trip", "Outcome",
};

// Which way the bytes went: both ways for an answered exchange, out alone
// when nothing came back, in alone for a frame nobody asked for.
QString DirectionText(const TrafficRow &row)
{
    switch (row.report.outcome) {
    case ExchangeOutcome::Reply:
    case ExchangeOutcome::BadChecksum:
        return QStringLiteral("out/in");
    case ExchangeOutcome::Timeout:
        return row.report.replyLength > 0 ? QStringLiteral("out/in") : QStringLiteral("out");
    case ExchangeOutcome::SendFailed:
    case ExchangeOutcome::NoReplyAwaited:
        return QStringLiteral("out");
    case ExchangeOutcome::NotSent:
        return QStringLiteral("none");
    case ExchangeOutcome::Dropped:
        return QStringLiteral("in");
    }
    return {};
}

QString RoundTripText(const TrafficRow &row)
{
    if (row.LinkDropped() || row.report.outcome == ExchangeOutcome::NotSent ||
        row.report.outcome == ExchangeOutcome::NoReplyAwaited)
        return {};
    return QString::number(row.report.roundTripUs / 1000.0, 'f', 1) + QStringLiteral(" ms");
}

QString OutcomeText(const TrafficRow &row)
{
    QString text = row.LinkDropped() ? FateWords(row.fate) : OutcomeWords(row.report.outcome);
    if (row.report.manual)
        text += QStringLiteral(" (manual)");
    return text;
}

} // namespace

void TrafficModel::Append(std::vector<TrafficRow> added)
{
    if (added.empty())
        return;
    if (added.size() > static_cast<std::size_t>(kMaxRows))
        added.erase(added.begin(), added.end() - kMaxRows);
    const int overflow = static_cast<int>(rows.size() + added.size()) - kMaxRows;
    if (overflow > 0) {
        beginRemoveRows({}, 0, overflow - 1);
        rows.erase(rows.begin(), rows.begin() + overflow);
        endRemoveRows();
    }
    const int first = static_cast<int>(rows.size());
    beginInsertRows({}, first, first + static_cast<int>(added.size()) - 1);
    for (TrafficRow &row : added)
        rows.push_back(std::move(row));
    endInsertRows();
}

void TrafficModel::Clear()
{
    beginResetModel();
    rows.clear();
    endResetModel();
}

QString TrafficModel::CellText(const TrafficRow &row, int column)
{
    const ExchangeReport &report = row.report;
    switch (column) {
    case Time:
        return QDateTime::fromMSecsSinceEpoch(row.wallMs).toString(QStringLiteral("HH:mm:ss.zzz"));
    case Direction:
        return DirectionText(row);
    case Recorder:
        return report.recorder;
    case Command:
        return row.Described().command;
    case Sent:
        return HexBytes(report.sent.data(), report.sentLength);
    case Received:
        return HexBytes(report.reply.data(), report.replyLength);
    case Meaning:
        return row.Described().meaning;
    case RoundTrip:
        return RoundTripText(row);
    case Outcome:
        return OutcomeText(row);
    default:
        return {};
    }
}

int TrafficModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows.size());
}

int TrafficModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant TrafficModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::DisplayRole || role == Qt::ToolTipRole)
        return CellText(Row(index.row()), index.column());
    return {};
}

QVariant TrafficModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kColumnCount)
        return {};
    return QLatin1String(kHeaders[section]);
}
