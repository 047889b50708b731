// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QHostAddress>
#include <QString>

#include <deque>

// Who may come in: a client presents a token when it connects, and the gate
// tells whether it may command, only watch, or not come in. An address that
// presents wrong tokens too often within a minute is turned away unheard for
// the rest of that minute, so a token cannot be guessed by trying.
class AuthGate
{
public:
    enum class Verdict { Control, ReadOnly, Refused, LockedOut };

    static constexpr int kFailuresAllowed = 5;
    static constexpr qint64 kWindowMs = 60 * 1000;
    // Addresses remembered at most; the oldest are forgotten first.
    static constexpr int kRemembered = 1024;

    // An empty token lets every client command (loopback only); an empty
    // read-only token lets no client in read-only.
    void SetTokens(const QString &token, const QString &readOnlyToken);

    Verdict Check(const QHostAddress &peer, const QString &presented, qint64 nowMs);

private:
    bool LockedOut(const QHostAddress &peer, qint64 nowMs);
    void CountFailure(const QHostAddress &peer, qint64 nowMs);
    void Forget(qint64 nowMs);

    QString token;
    QString readOnlyToken;
    QHash<QString, std::deque<qint64>> failures;
};

// Compares in a time that does not depend on where the texts differ.
bool SameToken(const QString &presented, const QString &expected);
