// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// How the operator set up the deck-protocol gateway and OSC: each off until
// enabled, on loopback unless told otherwise. Neither protocol carries a
// token, so beyond loopback the senders allowed (addresses or networks,
// shared by both) stand in for one, and without them neither listens there.
struct GatewaySettings
{
    static constexpr quint16 kDefaultDeckPort = 9993;
    static constexpr quint16 kDefaultOscPort = 9181;

    bool deckEnabled = false;
    quint16 deckPort = kDefaultDeckPort;
    QString deckListen; // empty for loopback
    // Deck clients may command; otherwise they only watch, and commands are
    // answered "111 remote control disabled".
    bool deckCommands = true;

    bool oscEnabled = false;
    quint16 oscPort = kDefaultOscPort;
    QString oscListen;

    // "192.168.1.20", "10.0.0.0/24"
    QStringList allowedPeers;

    // Why these settings cannot be used, or an empty text.
    QString Fault() const;

    bool operator==(const GatewaySettings &other) const;
    bool operator!=(const GatewaySettings &other) const { return !(*this == other); }
};

// Kept beside the remote control's settings, under "remote/deck/",
// "remote/osc/" and "remote/allowedPeers".
GatewaySettings LoadGatewaySettings(QSettings &store);
void SaveGatewaySettings(QSettings &store, const GatewaySettings &settings);
