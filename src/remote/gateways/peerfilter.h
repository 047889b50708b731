// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// Who may talk to a listener that has no token of its own to check (the deck
// gateway, whose protocol has none, and OSC): the local machine always, and
// beyond it only the addresses or networks the operator listed
// ("192.168.1.20", "10.0.0.0/24", "fd00::/8").
class PeerFilter
{
public:
    // False, with the entry that is neither an address nor a network.
    bool SetAllowed(const QStringList &entries, QString &fault);
    bool Allows(const QHostAddress &peer) const;
    bool Empty() const { return networks.isEmpty(); }

private:
    QList<QPair<QHostAddress, int>> networks;
};

// Why a listener may not open on `address` with these allowed peers: an
// address that is none, or one beyond loopback with nobody allowed. Empty
// when it may.
QString ListenFault(const QString &address, const QStringList &allowed);

// The address a listener takes: the given one, or loopback when none is.
QHostAddress ListenAddress(const QString &address);
