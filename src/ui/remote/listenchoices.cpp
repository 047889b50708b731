// SPDX-License-Identifier: GPL-3.0-or-later
#include "listenchoices.h"

#include <QComboBox>
#include <QHostAddress>
#include <QNetworkInterface>

void FillListenChoices(QComboBox *combo, const QString &current)
{
    const QString any = QStringLiteral("0.0.0.0");
    combo->clear();
    combo->addItem(QStringLiteral("Loopback only (127.0.0.1)"), QString());
    combo->addItem(QStringLiteral("All interfaces (%1)").arg(any), any);
    for (const QHostAddress &address : QNetworkInterface::allAddresses()) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback())
            combo->addItem(address.toString(), address.toString());
    }
    if (combo->findData(current) < 0)
        combo->addItem(current, current);
    combo->setCurrentIndex(combo->findData(current));
}
