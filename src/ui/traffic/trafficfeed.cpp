// SPDX-License-Identifier: GPL-3.0-or-later
#include "trafficfeed.h"

#include "link/devicelink.h"
#include "link/timing.h"

#include <QDateTime>
#include <QHostAddress>

#include <algorithm>

namespace {

// A dropped datagram's 9-pin frame is its payload; serial bytes are bare.
int FrameOffset(const WireEvent &event)
{
    return event.portId < 2 || event.size < kPacketHeaderSize ? 0 : kPacketHeaderSize;
}

QString SourceName(const WireEvent &event)
{
    if (event.portId < 2)
        return event.portId == 0 ? QStringLiteral("Com1") : QStringLiteral("Com2");
    return QHostAddress(event.peerIp).toString();
}

} // namespace

TrafficFeed::~TrafficFeed()
{
    Detach();
}

void TrafficFeed::Attach()
{
    if (attached)
        return;
    usAtStart = MonotonicUs();
    wallMsAtStart = QDateTime::currentMSecsSinceEpoch();
    exchangeObserver = this;
    attached = AddWireTap(this);
    if (!attached)
        exchangeObserver = nullptr;
}

void TrafficFeed::Detach()
{
    if (!attached)
        return;
    if (exchangeObserver == this)
        exchangeObserver = nullptr;
    RemoveWireTap(this);
    attached = false;
}

std::vector<TrafficRow> TrafficFeed::Take()
{
    std::vector<TrafficRow> rows(std::make_move_iterator(waiting.begin()),
                                 std::make_move_iterator(waiting.end()));
    waiting.clear();
    return rows;
}

LatencyWindow::Figures TrafficFeed::Latency()
{
    return latency.Compute(MonotonicUs());
}

void TrafficFeed::OnExchange(const ExchangeReport &report)
{
    TrafficRow row;
    row.report = report;
    Add(std::move(row));
    const quint64 endUs = report.startUs + report.roundTripUs;
    if (report.outcome == ExchangeOutcome::Reply)
        latency.Add(endUs, report.roundTripUs, false);
    else if (report.outcome == ExchangeOutcome::Timeout)
        latency.Add(endUs, report.roundTripUs, true);
}

// Only what the link threw away: what it took reaches the engine, which
// reports it as part of an exchange.
void TrafficFeed::OnWire(const WireEvent &event)
{
    if (event.direction != WireDirection::In || event.fate == WireFate::Taken)
        return;
    TrafficRow row;
    row.fate = event.fate;
    row.report.startUs = event.timeUs;
    row.report.outcome = ExchangeOutcome::Dropped;
    row.report.recorder = SourceName(event);
    const int offset = FrameOffset(event);
    row.report.replyLength = static_cast<quint8>(
        std::clamp(event.size - offset, 0, static_cast<int>(row.report.reply.size())));
    std::copy_n(event.bytes + offset, row.report.replyLength, row.report.reply.begin());
    Add(std::move(row));
}

void TrafficFeed::Add(TrafficRow row)
{
    row.wallMs = wallMsAtStart +
                 (static_cast<qint64>(row.report.startUs) - static_cast<qint64>(usAtStart)) / 1000;
    if (waiting.size() >= kMaxWaiting)
        waiting.pop_front();
    waiting.push_back(std::move(row));
}
