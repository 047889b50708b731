// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include "controlpage.h"
#include "devices/connectionselection.h"
#include "devices/devicelists.h"
#include "dlgabout.h"
#include "formshortcuts.h"
#include "link/timing.h"
#include "protocol/recorderinfo.h"
#include "sendsony9pcommand.h"
#include "transportkeys.h"
#include "ui/clips/playlistfile.h"
#include "ui/clips/segmentpage.h"
#include "ui/settings/dlgdevicesettings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int kPollPeriodMs = 100;

} // namespace

void MainWindow::Start()
{
    ShowFirstDevice();
    EnableMenus();
    StartPolling();
    CentreOnDesktop();
}

void MainWindow::ShowFirstDevice()
{
    if (!CurrentDevice) {
        setWindowTitle(QStringLiteral("Tavrel - Not connected."));
        return;
    }
    RecorderInfoRead();
    DetectDeviceKind(*this);
    ShowDiskInformation();
    SelectRecorderSide();
}

void MainWindow::StartPolling()
{
    startMs = NowMs();
    idleTimer = new QTimer(this);
    idleTimer->setObjectName(QStringLiteral("idleTimer"));
    connect(idleTimer, &QTimer::timeout, this, &MainWindow::DoIdle);
    idleTimer->start(kPollPeriodMs);
}

void MainWindow::CentreOnDesktop()
{
    const QScreen *desktop = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!desktop)
        return;
    const QSize size = desktop->virtualSize();
    move((size.width() - width()) / 2, (size.height() - height()) / 2);
}

// The quit action asks about an unsaved playlist first; the program's end
// (xr.cfg, the recorders) follows once the event loop has ended. SIGINT and
// SIGTERM end the loop without asking.
void MainWindow::DoQuit()
{
    if (!segment->file->ReadyToClose())
        return;
    QApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (segment->file->ReadyToClose())
        event->accept();
    else
        event->ignore();
}

void MainWindow::helpAboutAction_activated()
{
    DlgAbout dialog(this);
    dialog.exec();
}

void MainWindow::helpShortcutsAction_activated()
{
    FormShortcuts dialog(PanelKeys(), this);
    dialog.exec();
}

// A frame typed by hand could upset a running Delay mode; the dialog stays
// closed while one holds the recorder.
void MainWindow::SendManual9P_activated()
{
    if (DelayModeHolds())
        return;
    SendSony9PCommand dialog(this);
    dialog.exec();
}

void MainWindow::deviceSettingsAction_activated()
{
    DlgDeviceSettings::Open(this);
}
