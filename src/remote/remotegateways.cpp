// SPDX-License-Identifier: GPL-3.0-or-later
#include "remotegateways.h"

#include "remotelog.h"
#include "remotesettings.h"

RemoteGateways::RemoteGateways(ControlCore &core, const ControlTarget &target, RemoteLog &log,
                               QObject *parent)
    : QObject(parent), log(log), deck(core, target, log), osc(core, log)
{}

bool RemoteGateways::ApplyStored(QString &error)
{
    return Apply(LoadGatewaySettings(*SettingsStore()), false, error);
}

void RemoteGateways::SetShuttleTable(ShuttleTable table)
{
    setup.shuttleSpeed = table;
    deck.SetSetup(setup);
}

bool RemoteGateways::Apply(const GatewaySettings &wanted, bool store, QString &error)
{
    settings = wanted;
    if (store)
        SaveGatewaySettings(*SettingsStore(), settings);
    setup.commands = settings.deckCommands;
    deck.SetSetup(setup);
    error = settings.Fault();
    if (!error.isEmpty())
        error += QLatin1Char('\n');
    PeerFilter peers;
    QString fault;
    peers.SetAllowed(settings.allowedPeers, fault);
    const bool deckOk = ListenDeck(peers, error);
    const bool oscOk = ListenOsc(peers, error);
    error = error.trimmed();
    emit StatusChanged();
    return error.isEmpty() && deckOk && oscOk;
}

// A gateway that listens where it should, with the same peers, keeps its
// clients.
bool RemoteGateways::ListenDeck(const PeerFilter &peers, QString &error)
{
    const bool wanted = settings.deckEnabled && settings.Fault().isEmpty();
    const QHostAddress address = ListenAddress(settings.deckListen);
    if (!wanted) {
        if (deck.Listening())
            log.Add(QStringLiteral("deck gateway off"));
        deck.Close();
        return true;
    }
    if (deck.Listening() && deck.Address() == address && deck.Port() == settings.deckPort) {
        deck.Server().SetPeers(peers);
        return true;
    }
    QString fault;
    if (!deck.Listen(address, settings.deckPort, peers, fault)) {
        const QString why = QStringLiteral("The deck gateway cannot listen at %1:%2: %3")
                                .arg(address.toString())
                                .arg(settings.deckPort)
                                .arg(fault);
        log.Add(why);
        error += why + QLatin1Char('\n');
        return false;
    }
    log.Add(QStringLiteral("deck gateway on at %1:%2").arg(address.toString()).arg(deck.Port()));
    return true;
}

bool RemoteGateways::ListenOsc(const PeerFilter &peers, QString &error)
{
    const bool wanted = settings.oscEnabled && settings.Fault().isEmpty();
    const QHostAddress address = ListenAddress(settings.oscListen);
    if (!wanted) {
        if (osc.Listening())
            log.Add(QStringLiteral("OSC off"));
        osc.Close();
        return true;
    }
    if (osc.Listening() && osc.Address() == address && osc.Port() == settings.oscPort) {
        osc.SetPeers(peers);
        return true;
    }
    QString fault;
    if (!osc.Listen(address, settings.oscPort, peers, fault)) {
        const QString why = QStringLiteral("OSC cannot listen at %1:%2: %3")
                                .arg(address.toString())
                                .arg(settings.oscPort)
                                .arg(fault);
        log.Add(why);
        error += why + QLatin1Char('\n');
        return false;
    }
    log.Add(QStringLiteral("OSC on at %1:%2").arg(address.toString()).arg(osc.Port()));
    return true;
}

QString RemoteGateways::ListenText() const
{
    QStringList parts;
    if (deck.Listening())
        parts << QStringLiteral("deck %1:%2").arg(deck.Address().toString()).arg(deck.Port());
    if (osc.Listening())
        parts << QStringLiteral("OSC %1:%2").arg(osc.Address().toString()).arg(osc.Port());
    return parts.join(QStringLiteral(", "));
}
