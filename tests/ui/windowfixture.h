// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "devices/devicesession.h"
#include "simrecorder.h"
#include "ui/panel/mainwindow.h"
#include "ui/panel/recordermenu.h"
#include "wireframe.h"

#include <QAction>
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <initializer_list>
#include <memory>

// The real main window against a simulated recorder, in a working directory
// of its own (where xr.cfg lives), with both serial ports pointed at paths
// that do not exist so that their probes fail at once. The window runs inside
// a device session as the program runs it. A test that needs no recorder
// builds a MainWindow alone instead.
//
//   WindowFixture fixture("127.0.8.1");
//   QVERIFY2(fixture.Connect(), qPrintable(fixture.sim.errorString()));
//   const QList<QByteArray> frames = fixture.Tick();
//
// The idle timer is stopped once the window is built: tests run the polling
// ticks themselves, one at a time.
class WindowFixture
{
public:
    explicit WindowFixture(const char *address) : address(QString::fromLatin1(address))
    {
        previousDirectory = QDir::currentPath();
        QDir::setCurrent(directory.path());
        qputenv("TAVREL_COM1", QFile::encodeName(directory.filePath(QStringLiteral("no-com1"))));
        qputenv("TAVREL_COM2", QFile::encodeName(directory.filePath(QStringLiteral("no-com2"))));
    }

    ~WindowFixture()
    {
        CloseWindow();
        sim.Stop();
        QDir::setCurrent(previousDirectory);
    }

    WindowFixture(const WindowFixture &) = delete;
    WindowFixture &operator=(const WindowFixture &) = delete;

    bool StartRecorder(const xrsim::Scenario &scenario = {})
    {
        xrsim::SimConfig config;
        config.address = QHostAddress(address);
        config.scenario = scenario;
        return sim.Start(config);
    }

    // xr.cfg as the window will find it: the fixture's address by default.
    bool WriteDeviceFile(const QByteArray &contents)
    {
        QFile file(QStringLiteral("xr.cfg"));
        return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
    }

    QByteArray AddressLine() const { return address.toLatin1() + "\r\n"; }

    // Builds the window and opens the device session, which probes the
    // recorders of xr.cfg.
    void OpenWindow()
    {
        window = std::make_unique<MainWindow>();
        devices.Open(window->recorders);
        window->Start();
        window->findChild<QTimer *>(QStringLiteral("idleTimer"))->stop();
    }

    // Starts the recorder, lists it alone in xr.cfg and opens the window.
    bool Connect(const xrsim::Scenario &scenario = {})
    {
        if (!StartRecorder(scenario) || !WriteDeviceFile(AddressLine()))
            return false;
        OpenWindow();
        return CurrentDevice != nullptr;
    }

    // Ends the run as the program does: xr.cfg written, the window
    // destroyed, the recorders released.
    void CloseWindow()
    {
        if (!window)
            return;
        devices.Save();
        window.reset();
        devices.Close();
    }

    QByteArray DeviceFile() const
    {
        QFile file(QStringLiteral("xr.cfg"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // One polling tick, with the frames it sent.
    QList<QByteArray> Tick()
    {
        sim.ClearReceivedFrames();
        window->DoIdle();
        return sim.ReceivedFrames();
    }

    QString DeviceName() const { return QStringLiteral("Ethernet - ") + address; }

    template <typename T>
    T *Find(const char *name) const
    {
        return window->findChild<T *>(QLatin1String(name));
    }

    QAction *Action(const char *name) const { return Find<QAction>(name); }

    QMenu *ConnectMenu() const
    {
        return window->menuBar()->findChild<QMenu *>(QStringLiteral("connectMenu"));
    }

    QAction *ConnectEntry(const QString &text) const
    {
        for (QAction *entry : ConnectMenu()->actions()) {
            if (entry->text() == text)
                return entry;
        }
        return nullptr;
    }

    QString address;
    QTemporaryDir directory;
    QString previousDirectory;
    xrsim::SimRecorder sim;
    DeviceSession devices;
    std::unique_ptr<MainWindow> window;
};

// Runs `act` on the first modal dialog of type T that opens within the next
// event loop turns, typically to fill it in and close it. The caller then
// starts whatever opens the dialog.
template <typename T>
void WhenDialogOpens(std::function<void(T *)> act)
{
    auto *poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            auto *dialog = qobject_cast<T *>(widget);
            if (dialog && dialog->isVisible()) {
                poll->stop();
                poll->deleteLater();
                act(dialog);
                return;
            }
        }
    });
    poll->start();
}
