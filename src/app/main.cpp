// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices/devicesession.h"
#include "terminationsignals.h"
#include "ui/panel/mainwindow.h"
#include "ui/panel/recordermenu.h"

#include <QApplication>

#include <memory>

// The window is built first, without touching a recorder; the device session
// then probes the recorders, and the window is shown once the probes are
// over. At the end xr.cfg is written before the window and the recorders are
// torn down, however the event loop ended (quit action, last window closed,
// SIGINT or SIGTERM).
int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TerminationSignals terminationSignals;
    DeviceSession devices;
    auto window = std::make_unique<MainWindow>();
    devices.Open(window->recorders);
    window->Start();
    window->show();
    QObject::connect(&app, &QApplication::lastWindowClosed, &app, &QApplication::quit);
    const int exitCode = QApplication::exec();
    devices.Save();
    window.reset();
    devices.Close();
    return exitCode;
}
