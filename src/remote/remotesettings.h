// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QSettings>
#include <QString>
#include <QtGlobal>

#include <memory>

// How the operator set up remote control: off until enabled, on the loopback
// interface unless told otherwise, and with a token beyond loopback.
struct RemoteSettings
{
    static constexpr quint16 kDefaultPort = 9180;
    static constexpr int kMinTokenLength = 8;

    bool enabled = false;
    quint16 port = kDefaultPort;
    // The address to listen on; empty for loopback only (127.0.0.1).
    QString listenAddress;
    // Clients that present it may command; empty for none, which only
    // loopback allows (every local client may then command).
    QString token;
    // Clients that present the read-only token may watch but not command.
    bool readOnlyAllowed = false;
    QString readOnlyToken;
    // Record without "confirm": true.
    bool recordingAllowed = false;
    // Time pushes per second at most, 1-10.
    int timeRate = 10;

    QHostAddress ListenAddress() const;
    bool Loopback() const { return ListenAddress().isLoopback(); }
    // Why these settings cannot be used, or an empty text: an address that
    // is none, listening beyond loopback without a token, a token too short
    // to resist guessing, or the same token for both kinds of client.
    QString Fault() const;

    bool operator==(const RemoteSettings &other) const;
    bool operator!=(const RemoteSettings &other) const { return !(*this == other); }
};

// Kept under "remote/" in the program's settings, tavrel/tavrel.conf in the
// user's configuration folder (~/.config), beside its recorder list.
std::unique_ptr<QSettings> SettingsStore();
RemoteSettings LoadRemoteSettings(QSettings &store);
void SaveRemoteSettings(QSettings &store, const RemoteSettings &settings);

// A random token of 24 letters and digits.
QString NewToken();
