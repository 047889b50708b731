// SPDX-License-Identifier: GPL-3.0-or-later
#include "gatewaysettings.h"

#include "gateways/peerfilter.h"

namespace {

const char kDeckEnabled[] = "remote/deck/enabled";
const char kDeckPort[] = "remote/deck/port";
const char kDeckListen[] = "remote/deck/listen";
const char kDeckCommands[] = "remote/deck/commands";
const char kOscEnabled[] = "remote/osc/enabled";
const char kOscPort[] = "remote/osc/port";
const char kOscListen[] = "remote/osc/listen";
const char kAllowedPeers[] = "remote/allowedPeers";

quint16 StoredPort(QSettings &store, const char *key, quint16 fallback)
{
    const int port = store.value(key, fallback).toInt();
    return port > 0 && port <= 65535 ? quint16(port) : fallback;
}

} // namespace

QString GatewaySettings::Fault() const
{
    if (deckEnabled && deckPort == 0)
        return QStringLiteral("The deck protocol's port must be from 1 to 65535.");
    if (oscEnabled && oscPort == 0)
        return QStringLiteral("The OSC port must be from 1 to 65535.");
    QString fault = deckEnabled ? ListenFault(deckListen, allowedPeers) : QString();
    if (fault.isEmpty() && oscEnabled)
        fault = ListenFault(oscListen, allowedPeers);
    if (fault.isEmpty()) {
        PeerFilter filter;
        filter.SetAllowed(allowedPeers, fault);
    }
    if (fault.isEmpty())
        return QString();
    fault[0] = fault.at(0).toUpper();
    return fault + QLatin1Char('.');
}

bool GatewaySettings::operator==(const GatewaySettings &other) const
{
    return deckEnabled == other.deckEnabled && deckPort == other.deckPort &&
           deckListen == other.deckListen && deckCommands == other.deckCommands &&
           oscEnabled == other.oscEnabled && oscPort == other.oscPort &&
           oscListen == other.oscListen && allowedPeers == other.allowedPeers;
}

// Stored values that cannot be used leave both off rather than open
// anything the operator did not ask for.
GatewaySettings LoadGatewaySettings(QSettings &store)
{
    GatewaySettings settings;
    settings.deckEnabled = store.value(kDeckEnabled, false).toBool();
    settings.deckPort = StoredPort(store, kDeckPort, GatewaySettings::kDefaultDeckPort);
    settings.deckListen = store.value(kDeckListen).toString();
    settings.deckCommands = store.value(kDeckCommands, true).toBool();
    settings.oscEnabled = store.value(kOscEnabled, false).toBool();
    settings.oscPort = StoredPort(store, kOscPort, GatewaySettings::kDefaultOscPort);
    settings.oscListen = store.value(kOscListen).toString();
    settings.allowedPeers = store.value(kAllowedPeers).toStringList();
    if (!settings.Fault().isEmpty()) {
        settings.deckEnabled = false;
        settings.oscEnabled = false;
    }
    return settings;
}

void SaveGatewaySettings(QSettings &store, const GatewaySettings &settings)
{
    store.setValue(kDeckEnabled, settings.deckEnabled);
    store.setValue(kDeckPort, settings.deckPort);
    store.setValue(kDeckListen, settings.deckListen);
    store.setValue(kDeckCommands, settings.deckCommands);
    store.setValue(kOscEnabled, settings.oscEnabled);
    store.setValue(kOscPort, settings.oscPort);
    store.setValue(kOscListen, settings.oscListen);
    store.setValue(kAllowedPeers, settings.allowedPeers);
    store.sync();
}
