// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

// How one exchange of the command engine ended, as the traffic monitor shows
// it. Everything but Reply is an outcome that brought no usable answer.
enum class ExchangeOutcome : quint8 {
    Reply,          // a whole reply with a correct checksum: ACK, NAK or data
    BadChecksum,    // a whole reply whose checksum byte is wrong
    Timeout,        // no reply, or not all of it, within the wait
    SendFailed,     // the link could not send the frame
    NotSent,        // the recorder is marked disconnected: nothing went out
    NoReplyAwaited, // sent without waiting for an answer
    Dropped,        // arrived during the wait but cannot answer the command
};

// One exchange, or one frame dropped while waiting, copied out of the engine
// for whoever watches. Fixed-size: filling it costs no allocation.
struct ExchangeReport
{
    static constexpr int kMaxFrame = 18;

    quint64 startUs = 0;     // MonotonicUs when the frame went out (or a dropped one came in)
    quint32 roundTripUs = 0; // from the send to the end of the wait
    ExchangeOutcome outcome = ExchangeOutcome::Reply;
    bool polling = false; // sent by the polling tick
    bool manual = false;  // sent through the manual path
    quint8 sentLength = 0;
    quint8 replyLength = 0; // bytes of the reply that arrived, checksum included
    std::array<quint8, kMaxFrame> sent{};
    std::array<quint8, kMaxFrame> reply{};
    QString recorder; // the recorder's name in the "&Connect" menu
};

// Whoever watches the engine's exchanges (the traffic monitor while its
// window is open). The engine calls it on the GUI thread after each exchange
// and for each dropped frame, before the command returns.
class ExchangeObserver
{
public:
    virtual ~ExchangeObserver() = default;
    virtual void OnExchange(const ExchangeReport &report) = 0;
};

// The observer, or null. While it is null the engine takes no time stamps
// and builds no report: watching costs nothing when nobody watches.
extern ExchangeObserver *exchangeObserver;

// True while the polling tick runs, so that its exchanges can be told from
// the operator's. PollingExchanges marks a scope.
extern bool pollingExchanges;

class PollingExchanges
{
public:
    PollingExchanges() : previous(pollingExchanges) { pollingExchanges = true; }
    ~PollingExchanges() { pollingExchanges = previous; }
    PollingExchanges(const PollingExchanges &) = delete;
    PollingExchanges &operator=(const PollingExchanges &) = delete;

private:
    bool previous;
};
