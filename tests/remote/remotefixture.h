// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../panel/panelfixture.h"
#include "wsclient.h"

#include "remote/remotecontrol.h"
#include "ui/panel/mainwindowremote.h"

#include <QTemporaryDir>

#include <memory>

// The real window against the simulated recorder, with remote control on
// the fixture's address (port 9180) and a WebSocket client connected to it:
// a request runs as a client's would, and the frames it sent are those the
// recorder received meanwhile.
//
//   RemoteFixture fixture("127.0.81.1");
//   QVERIFY2(fixture.Connect(), qPrintable(fixture.Error()));
//   QCOMPARE(fixture.FramesOf("transport.play"), QList<QByteArray>{wire::Play});
class RemoteFixture : public PanelFixture
{
public:
    explicit RemoteFixture(const char *address) : PanelFixture(address)
    {
        qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    }

    // Remote control goes before the window.
    ~RemoteFixture()
    {
        client.reset();
        remote.reset();
        control.reset();
    }

    bool Connect(const xrsim::Scenario &scenario = {})
    {
        if (!PanelFixture::Connect(scenario))
            return false;
        control = std::make_unique<WindowControl>(*window);
        remote = std::make_unique<RemoteControl>(*control);
        window->AttachRemote(*remote);
        RemoteSettings settings;
        settings.enabled = true;
        settings.listenAddress = address;
        QString error;
        if (!remote->Apply(settings, false, error))
            return false;
        client = std::make_unique<WsClient>();
        return client->Open(Url());
    }

    QUrl Url() const { return QUrl(QStringLiteral("ws://%1:9180/v1").arg(address)); }

    // The answer is kept for Result and ErrorCode.
    QJsonObject Call(const char *method, const QJsonObject &params = {})
    {
        last = client->Request(QLatin1String(method), params);
        return last;
    }

    // The frames the recorder received while the request ran.
    QList<QByteArray> FramesOf(const char *method, const QJsonObject &params = {})
    {
        ClearFrames();
        Call(method, params);
        return Received();
    }

    // Long work (reading every segment, for one) starts the polling again
    // when it ends; the tests run the ticks themselves.
    void StopPolling() { Find<QTimer>("idleTimer")->stop(); }

    QString ErrorCode() const { return WsClient::ErrorCode(last); }
    QJsonValue Result() const { return last.value(QLatin1String("result")); }

    QTemporaryDir home;
    std::unique_ptr<WindowControl> control;
    std::unique_ptr<RemoteControl> remote;
    std::unique_ptr<WsClient> client;
    QJsonObject last;
};
