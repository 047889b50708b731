// SPDX-License-Identifier: GPL-3.0-or-later
#include "remotecontrol.h"

#include <QSettings>

RemoteControl::RemoteControl(ControlTarget &target, QObject *parent)
    : QObject(parent), log(this), core(target, log, this), api(core, log, this),
      gateways(core, target, log, this)
{
    log.SetFile(RemoteLog::DefaultPath());
    connect(&core, &ControlCore::ClientsChanged, this, &RemoteControl::StatusChanged);
    connect(&gateways, &RemoteGateways::StatusChanged, this, &RemoteControl::StatusChanged);
}

// The parts go one after the other, and the clients of each leave with it:
// their leaving must not announce a status read from parts already gone.
RemoteControl::~RemoteControl()
{
    disconnect(&core, nullptr, this, nullptr);
    disconnect(&gateways, nullptr, this, nullptr);
}

bool RemoteControl::ApplyStored(QString &error)
{
    return Apply(LoadRemoteSettings(*SettingsStore()), false, error);
}

bool RemoteControl::Apply(const RemoteSettings &wanted, bool store, QString &error)
{
    const bool tokensChanged = wanted.token != settings.token ||
                               wanted.readOnlyAllowed != settings.readOnlyAllowed ||
                               wanted.readOnlyToken != settings.readOnlyToken;
    settings = wanted;
    if (store)
        SaveRemoteSettings(*SettingsStore(), settings);
    error = settings.enabled ? settings.Fault() : QString();
    const bool listen = settings.enabled && error.isEmpty();
    core.SetPolicy({settings.recordingAllowed});
    core.SetTimeRate(settings.timeRate);
    api.SetTokens(settings.token, settings.readOnlyAllowed ? settings.readOnlyToken : QString());
    if (!listen) {
        if (api.IsListening())
            log.Add(QStringLiteral("remote control off"));
        api.Close();
    } else if (api.IsListening() && api.Address() == settings.ListenAddress() &&
               api.Port() == settings.port && !tokensChanged) {
        // The clients stay: only the policy or the time rate changed.
    } else if (api.Listen(settings.ListenAddress(), settings.port, error)) {
        log.Add(QStringLiteral("remote control on at %1:%2%3")
                    .arg(api.Address().toString())
                    .arg(api.Port())
                    .arg(WebSocketApi::kPath));
    } else {
        log.Add(QStringLiteral("remote control could not listen at %1:%2: %3")
                    .arg(settings.ListenAddress().toString())
                    .arg(settings.port)
                    .arg(error));
    }
    emit StatusChanged();
    return error.isEmpty();
}

bool RemoteControl::Listening() const
{
    return api.IsListening() || !gateways.ListenText().isEmpty();
}

QString RemoteControl::ListenText() const
{
    QStringList parts;
    if (api.IsListening())
        parts << QStringLiteral("%1:%2").arg(api.Address().toString()).arg(api.Port());
    if (!gateways.ListenText().isEmpty())
        parts << gateways.ListenText();
    return parts.join(QStringLiteral(", "));
}
