// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/version.h"
#include "commandline.h"
#include "devices/devicefileplace.h"
#include "devices/deviceregistry.h"
#include "devices/devicesession.h"
#include "link/seriallink.h"
#include "remotesession.h"
#include "terminationsignals.h"
#include "ui/common/paneltheme.h"
#include "ui/panel/mainwindow.h"
#include "ui/panel/recordermenu.h"
#include "ui/traffic/traffictools.h"

#include <QApplication>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

// What the command line changes before the first recorder is touched: the
// serial ports' devices and the recorder list's place.
void ApplyStartOptions(const StartOptions &options)
{
    for (const auto &[port, device] : options.serialDevices)
        SerialLink::ChooseHostDevice(port, device);
    UseDeviceFile(DeviceFilePlace(options.deviceFile));
}

// The recording asked for on the command line starts before the first
// probe. A file that cannot be made ends the program before any window
// appears, as a bad value does.
bool StartTrafficRecording(const StartOptions &options, MainWindow &window)
{
    if (options.trafficFile.isEmpty())
        return true;
    const qint64 rotate = options.trafficRotateBytes >= 0 ? options.trafficRotateBytes
                                                          : TrafficRecorder::kDefaultRotateBytes;
    QString error;
    if (window.traffic->StartRecording(options.trafficFile, rotate, &error))
        return true;
    QTextStream(stderr) << QCoreApplication::applicationName() << ": --record-traffic "
                        << options.trafficFile << ": " << error << "\n";
    return false;
}

} // namespace

// The command line is read before the application object exists: --help,
// --version and a bad option are answered on a terminal without a display,
// and no window appears for them. The window is built next, without touching
// a recorder; the device session then probes the recorders, and the window
// is shown once the probes are over; remote control listens from then on if
// the command line or the stored settings switch it on. At the end xr.cfg is
// written, remote control ends, and the window and the recorders are torn
// down, however the event loop ended (quit action, last window closed,
// SIGINT or SIGTERM).
int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("tavrel"));
    QCoreApplication::setApplicationVersion(QLatin1String(kTavrelVersion));
    const CommandLine commandLine = ParseCommandLine(ArgumentList(argc, argv));
    if (commandLine.outcome != CommandLine::Outcome::Run)
        return commandLine.Report();

    QApplication app(argc, argv);
    QGuiApplication::setDesktopFileName(QLatin1String(kTavrelAppId));
    ApplyTheme(app);
    ApplyStartOptions(commandLine.options);
    TerminationSignals terminationSignals;
    DeviceSession devices;
    RemoteSession remote;
    auto window = std::make_unique<MainWindow>();
    if (!StartTrafficRecording(commandLine.options, *window))
        return CommandLine::kUsageError;
    devices.Open(window->recorders, commandLine.options.firstDevice);
    remote.Open(*window);
    window->Start();
    QString error;
    const std::optional<RemoteSettings> &remoteOptions = commandLine.options.remote;
    if (!remote.Start(remoteOptions ? &*remoteOptions : nullptr, error))
        std::fprintf(stderr, "tavrel: remote control is off: %s\n", qPrintable(error));
    if (!remote.StartGateways(commandLine.options.deckPort, commandLine.options.oscPort, error))
        std::fprintf(stderr, "tavrel: %s\n", qPrintable(error));
    window->show();
    QObject::connect(&app, &QApplication::lastWindowClosed, &app, &QApplication::quit);
    const int exitCode = QApplication::exec();
    devices.Save();
    remote.Close();
    window.reset();
    devices.Close();
    return exitCode;
}
