// SPDX-License-Identifier: GPL-3.0-or-later
#include "peerfilter.h"

#include <QAbstractSocket>

bool PeerFilter::SetAllowed(const QStringList &entries, QString &fault)
{
    QList<QPair<QHostAddress, int>> parsed;
    for (const QString &entry : entries) {
        const QString text = entry.trimmed();
        if (text.isEmpty())
            continue;
        QPair<QHostAddress, int> network = QHostAddress::parseSubnet(text);
        if (network.first.isNull()) {
            fault = QStringLiteral("\"%1\" is neither an address nor a network").arg(text);
            return false;
        }
        parsed << network;
    }
    networks = parsed;
    return true;
}

bool PeerFilter::Allows(const QHostAddress &peer) const
{
    bool mapped = false;
    const QHostAddress v4(peer.toIPv4Address(&mapped));
    const QHostAddress address = mapped ? v4 : peer;
    if (address.isLoopback())
        return true;
    for (const auto &network : networks) {
        if (address.isInSubnet(network))
            return true;
    }
    return false;
}

QHostAddress ListenAddress(const QString &address)
{
    return address.trimmed().isEmpty() ? QHostAddress(QHostAddress::LocalHost)
                                       : QHostAddress(address.trimmed());
}

QString ListenFault(const QString &address, const QStringList &allowed)
{
    const QHostAddress listen = ListenAddress(address);
    if (listen.isNull())
        return QStringLiteral("\"%1\" is not an address to listen on").arg(address);
    PeerFilter filter;
    QString fault;
    if (!filter.SetAllowed(allowed, fault))
        return fault;
    if (!listen.isLoopback() && filter.Empty())
        return QStringLiteral("listening beyond loopback needs the addresses allowed to send");
    return QString();
}
