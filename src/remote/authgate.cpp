// SPDX-License-Identifier: GPL-3.0-or-later
#include "authgate.h"

void AuthGate::SetTokens(const QString &newToken, const QString &newReadOnlyToken)
{
    token = newToken;
    readOnlyToken = newReadOnlyToken;
}

AuthGate::Verdict AuthGate::Check(const QHostAddress &peer, const QString &presented, qint64 nowMs)
{
    if (LockedOut(peer, nowMs)) {
        CountFailure(peer, nowMs);
        return Verdict::LockedOut;
    }
    if (!readOnlyToken.isEmpty() && SameToken(presented, readOnlyToken))
        return Verdict::ReadOnly;
    if (token.isEmpty() || SameToken(presented, token))
        return Verdict::Control;
    CountFailure(peer, nowMs);
    return Verdict::Refused;
}

bool AuthGate::LockedOut(const QHostAddress &peer, qint64 nowMs)
{
    const auto found = failures.find(peer.toString());
    if (found == failures.end())
        return false;
    std::deque<qint64> &times = *found;
    while (!times.empty() && nowMs - times.front() >= kWindowMs)
        times.pop_front();
    return int(times.size()) >= kFailuresAllowed;
}

// Failures go on counting while an address is locked out, so an address that
// keeps guessing stays out.
void AuthGate::CountFailure(const QHostAddress &peer, qint64 nowMs)
{
    const QString address = peer.toString();
    if (!failures.contains(address) && failures.size() >= kRemembered)
        Forget(nowMs);
    std::deque<qint64> &times = failures[address];
    times.push_back(nowMs);
    if (int(times.size()) > kFailuresAllowed)
        times.pop_front();
}

// Addresses whose failures are all older than the window go first; then, if
// the table is still full, any address (a flood from many addresses must not
// grow it without bound).
void AuthGate::Forget(qint64 nowMs)
{
    for (auto it = failures.begin(); it != failures.end();) {
        if (it->empty() || nowMs - it->back() >= kWindowMs)
            it = failures.erase(it);
        else
            ++it;
    }
    while (failures.size() >= kRemembered)
        failures.erase(failures.begin());
}

bool SameToken(const QString &presented, const QString &expected)
{
    const QByteArray a = presented.toUtf8();
    const QByteArray b = expected.toUtf8();
    unsigned difference = a.size() == b.size() ? 0u : 1u;
    for (qsizetype i = 0; i < b.size(); ++i)
        difference |= unsigned(quint8(i < a.size() ? a.at(i) : 0)) ^ unsigned(quint8(b.at(i)));
    return difference == 0;
}
