// SPDX-License-Identifier: GPL-3.0-or-later
#include "remotesettings.h"

#include <QRandomGenerator>
#include <QSettings>

#include <algorithm>

namespace {

constexpr int kNewTokenLength = 24;

const char kEnabled[] = "remote/enabled";
const char kPort[] = "remote/port";
const char kListen[] = "remote/listen";
const char kToken[] = "remote/token";
const char kReadOnlyAllowed[] = "remote/readOnlyAllowed";
const char kReadOnlyToken[] = "remote/readOnlyToken";
const char kRecordingAllowed[] = "remote/recordingAllowed";
const char kTimeRate[] = "remote/timeRate";

} // namespace

QHostAddress RemoteSettings::ListenAddress() const
{
    return listenAddress.isEmpty() ? QHostAddress(QHostAddress::LocalHost)
                                   : QHostAddress(listenAddress);
}

QString RemoteSettings::Fault() const
{
    if (ListenAddress().isNull())
        return QStringLiteral("%1 is not an address to listen on.").arg(listenAddress);
    if (port == 0)
        return QStringLiteral("The port must be from 1 to 65535.");
    if (!Loopback() && token.isEmpty())
        return QStringLiteral("Listening beyond loopback needs a token.");
    if (!token.isEmpty() && token.size() < kMinTokenLength)
        return QStringLiteral("A token needs at least %1 characters.").arg(kMinTokenLength);
    if (readOnlyAllowed && readOnlyToken.size() < kMinTokenLength)
        return QStringLiteral("The read-only token needs at least %1 characters.")
            .arg(kMinTokenLength);
    if (readOnlyAllowed && readOnlyToken == token)
        return QStringLiteral("The read-only token must differ from the token.");
    return QString();
}

bool RemoteSettings::operator==(const RemoteSettings &other) const
{
    return enabled == other.enabled && port == other.port && listenAddress == other.listenAddress &&
           token == other.token && readOnlyAllowed == other.readOnlyAllowed &&
           readOnlyToken == other.readOnlyToken && recordingAllowed == other.recordingAllowed &&
           timeRate == other.timeRate;
}

std::unique_ptr<QSettings> SettingsStore()
{
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                       QStringLiteral("tavrel"), QStringLiteral("tavrel"));
}

// Stored values out of range fall back to the defaults rather than opening
// anything the operator did not ask for.
RemoteSettings LoadRemoteSettings(QSettings &store)
{
    RemoteSettings settings;
    settings.enabled = store.value(kEnabled, false).toBool();
    const int port = store.value(kPort, RemoteSettings::kDefaultPort).toInt();
    if (port > 0 && port <= 65535)
        settings.port = static_cast<quint16>(port);
    settings.listenAddress = store.value(kListen).toString();
    settings.token = store.value(kToken).toString();
    settings.readOnlyAllowed = store.value(kReadOnlyAllowed, false).toBool();
    settings.readOnlyToken = store.value(kReadOnlyToken).toString();
    settings.recordingAllowed = store.value(kRecordingAllowed, false).toBool();
    settings.timeRate = std::clamp(store.value(kTimeRate, 10).toInt(), 1, 10);
    if (!settings.Fault().isEmpty())
        settings.enabled = false;
    return settings;
}

void SaveRemoteSettings(QSettings &store, const RemoteSettings &settings)
{
    store.setValue(kEnabled, settings.enabled);
    store.setValue(kPort, settings.port);
    store.setValue(kListen, settings.listenAddress);
    store.setValue(kToken, settings.token);
    store.setValue(kReadOnlyAllowed, settings.readOnlyAllowed);
    store.setValue(kReadOnlyToken, settings.readOnlyToken);
    store.setValue(kRecordingAllowed, settings.recordingAllowed);
    store.setValue(kTimeRate, settings.timeRate);
    store.sync();
}

QString NewToken()
{
    static const char kAlphabet[] = "ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz23456789";
    QString token;
    for (int i = 0; i < kNewTokenLength; ++i)
        token +=
            QLatin1Char(kAlphabet[QRandomGenerator::system()->bounded(int(sizeof kAlphabet) - 1)]);
    return token;
}
