// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../ui/benchwindow.h"
#include "benchloop.h"
#include "stamprelay.h"

#include "remote/remotecontrol.h"
#include "ui/panel/mainwindowremote.h"

#include <QPushButton>

#include <atomic>
#include <utility>

// The window with remote control joined, as the program runs it, against a
// simulated recorder that has an hour-long file loaded. A stamping relay
// stands in front of the recorder (xr.cfg lists the relay's address): it
// counts the Stop frames on their way to the recorder and shows every
// datagram to the benchmark's own watcher. The remote log keeps no file.
//
//   RemoteBench remote(kRelayIp, kRecorderIp, watcher.Watch());
//   if (!remote.Open(playing)) return 1;
class RemoteBench
{
public:
    static constexpr int kHeader = 10; // the datagram header before a frame

    RemoteBench(const QHostAddress &relayIp, const char *recorderIp, StampRelay::Watch watch)
        : relayText(relayIp.toString().toLatin1()),
          relay(relayIp, QHostAddress(QLatin1String(recorderIp)),
                [this, watch = std::move(watch)](const QByteArray &datagram, bool fromRecorder,
                                                 qint64 arrival) {
                    if (!fromRecorder && datagram.mid(kHeader) == QByteArray("\x20\x00\x20", 3)) {
                        lastStopNs = arrival;
                        ++stops;
                    }
                    watch(datagram, fromRecorder, arrival);
                }),
          bench(relayText.constData(), recorderIp), control(bench.window), remote(control)
    {}

    bool Open(bool playing)
    {
        xrsim::Scenario scenario;
        scenario.files = {{QStringLiteral("LONG"), 3600}};
        scenario.loaded = QStringLiteral("LONG");
        scenario.playing = playing;
        if (!bench.Open(scenario))
            return false;
        bench.window.AttachRemote(remote);
        remote.Log().SetFile(QString());
        return true;
    }

    QTimer *IdleTimer() const { return bench.IdleTimer(); }

    // The Stop key and a client's stop by turns, the polling on, until the
    // client's path has `samples` figures: each from the click or the
    // client's send (`send` returns when it was) to the Stop frame at the
    // relay.
    template <typename Send>
    void KeyAndClientStops(int samples, int spacingMs, Send send, std::vector<double> &keyToWire,
                           std::vector<double> &clientToWire)
    {
        auto *stopKey = bench.window.findChild<QPushButton *>(QStringLiteral("pbStop"));
        ::KeyAndClientStops(stopKey, stops, lastStopNs, samples, spacingMs, send, keyToWire,
                            clientToWire);
    }

private:
    std::atomic<int> stops{0};
    std::atomic<qint64> lastStopNs{0};
    const QByteArray relayText;
    StampRelay relay;

public:
    BenchWindow bench;
    WindowControl control;
    RemoteControl remote;
};
