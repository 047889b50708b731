// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "benchdirectory.h"
#include "devices/devicelists.h"
#include "devices/devicesession.h"
#include "simrecorder.h"
#include "ui/panel/mainwindow.h"
#include "ui/panel/recordermenu.h"

#include <QHostAddress>
#include <QTimer>

#include <cstdio>

// The real window, run as the program runs it, against a simulated recorder
// on a loopback address of the benchmark's own, listed alone in the xr.cfg
// of a working directory that lasts as long as the object. The serial ports
// point at paths that do not exist.
//
//   BenchWindow bench("127.0.5.1");
//   if (!bench.Open()) return 1;
//   bench.window.show();
class BenchWindow
{
public:
    // With `simIp` the simulated recorder listens there, and `recorderIp`,
    // the one xr.cfg lists, is a relay of the benchmark's in front of it.
    explicit BenchWindow(const char *recorderIp, const char *simIp = nullptr)
        : recorderIp(recorderIp), simIp(simIp ? simIp : recorderIp)
    {
    }

    // Starts the recorder (as `scenario` describes it) and the window; false,
    // with the reason on stderr, when the recorder cannot start or does not
    // answer.
    bool Open(const xrsim::Scenario &scenario = {})
    {
        if (!directory.ListRecorders({recorderIp})) {
            std::fprintf(stderr, "cannot write xr.cfg\n");
            return false;
        }
        xrsim::SimConfig config;
        config.address = QHostAddress(QLatin1String(simIp));
        config.scenario = scenario;
        if (!sim.Start(config)) {
            std::fprintf(stderr, "simulated recorder: %s\n", qPrintable(sim.ErrorString()));
            return false;
        }
        devices.Open(window.recorders);
        window.Start();
        if (!CurrentDevice) {
            std::fprintf(stderr, "the simulated recorder did not answer\n");
            return false;
        }
        return true;
    }

    QTimer *IdleTimer() const { return window.findChild<QTimer *>(QStringLiteral("idleTimer")); }

    const char *recorderIp;
    const char *simIp;
    BenchDirectory directory;
    xrsim::SimRecorder sim;
    DeviceSession devices;
    MainWindow window;
};
