#include "ui/panel/mainwindow.h"

#include "devices/connectionselection.h"
#include "devices/devicelists.h"
#include "devices/deviceregistry.h"
#include "link/timing.h"
#include "protocol/recorderinfo.h"
#include "ui/panel/displaylines.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int kPollPeriodMs = 100;
constexpr int kStopState = 2;

} // namespace

// The last part of the window's construction, in this order: the Connect
// menu, the links and the known recorders with the first that answers, the
// display, the enabling, and the polling. It runs before the window is
// shown, so the window appears once the probes are over.
void MainWindow::StartUp()
{
    CompleteConnectMenu();
    nextMenuId = kFirstRecorderMenuId;
    SetNewState(kStopState);
    OpenDevices(this);
    WriteTimeLine(kInitialTimeLine);
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
    pbR_pressed();
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

// The quit action asks about an unsaved playlist first; the devices are
// released when the window is destroyed after the event loop has ended.
void MainWindow::DoQuit()
{
    if (!closePrompt())
        return;
    QApplication::exit(0);
}

// xr.cfg is written before anything is torn down, so that the recorders of
// the run are kept however the program ends.
void MainWindow::ShutdownDevices()
{
    SaveDeviceList();
    DeletePlaylistDocument();
    DestroyDeviceList();
    DestroyLinkList();
}
