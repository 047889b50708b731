// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include "controlpage.h"
#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "link/linkstatus.h"
#include "panelmodes.h"
#include "protocol/exchangereport.h"
#include "protocol/recorderstate.h"
#include "protocol/sensecommands.h"
#include "ui/clips/playlist.h"
#include "ui/clips/segmentlist.h"
#include "ui/clips/segmentpage.h"
#include "ui/clips/serverpage.h"

// One tick of the 100 ms idle timer. Everything the panel shows of the
// recorder is redrawn here from its replies; a failed sense only skips its
// own step, and repeated failures, which make the command engine mark the
// recorder disconnected, drop it at the next tick.
void MainWindow::DoIdle()
{
    Poll();
    emit Polled();
}

void MainWindow::Poll()
{
    const PollingExchanges polling;
    EnableMenus();
    if (!CurrentDevice)
        return;
    control->FireDelayedPlayback(*CurrentDevice);
    if (CurrentDevice->disconnected) {
        DropLostDevice();
        return;
    }
    TimerModeSense();
    segment->segments->FollowTimerMode();
    control->PollAudioLevels(*CurrentDevice);
    control->PollTime();
    emit TimeRead();
    PollStatus();
    emit StatusRead();
    FollowTitle();
    segment->playlist->playlistTick();
}

void MainWindow::DropLostDevice()
{
    ::LeavePanelModes(*CurrentDevice);
    lostDeviceName = CurrentDevice->name;
    setWindowTitle(QStringLiteral("Tavrel - %1 [Disconnected ?].").arg(CurrentDevice->name));
    CurrentDevice = nullptr;
}

void MainWindow::PollStatus()
{
    if (StatusSense() == kStatusOk && CurrentDevice)
        RefreshPanel(*CurrentDevice);
}

// A recorder with files names its loaded file in the title, which the loaded
// file's refresh keeps; an older one is named by the title alone.
void MainWindow::FollowTitle()
{
    if (!CurrentDevice)
        return;
    if (legacyFirmware == 0)
        server->refreshLoadedFile();
    else
        ShowTitle(QStringLiteral("Tavrel - %1").arg(CurrentDevice->name));
}
