#include "mainwindow.h"

#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "link/linkstatus.h"
#include "link/timing.h"
#include "panelmodes.h"
#include "protocol/audiolevels.h"
#include "protocol/recorderstate.h"
#include "protocol/sensecommands.h"
#include "protocol/transportcommands.h"

#include <QProgressBar>

#include <algorithm>

// One tick of the 100 ms idle timer. Everything the panel shows of the
// recorder is redrawn here from its replies; a failed sense only skips its
// own step, and repeated failures, which make the command engine mark the
// recorder disconnected, drop it at the next tick.
void MainWindow::DoIdle()
{
    EnableMenus();
    if (!CurrentDevice)
        return;
    FireDelayedPlayback();
    if (CurrentDevice->disconnected) {
        DropLostDevice();
        return;
    }
    TimerModeSense();
    PollAudioLevels();
    PollTime();
    PollStatus();
    FollowTitle();
    playlistTick();
}

// Delay mode records now and plays back once the delay has passed: the first
// tick at or after it switches to the player side and starts playing, once.
void MainWindow::FireDelayedPlayback()
{
    if (CurrentDevice->delayPlayPending != 1 || delayPlayFired != 0 ||
        ElapsedMs(delayStartMs) < delayMs)
        return;
    pbP_pressed();
    Play();
    delayPlayFired = 1;
}

void MainWindow::DropLostDevice()
{
    LeavePanelModes(*CurrentDevice);
    setWindowTitle(QStringLiteral("Tavrel - %1 [Disconnected ?].").arg(CurrentDevice->name));
    CurrentDevice = nullptr;
}

// The meters hold their peaks: each successful read lowers every held level
// by one step and raises it to the new reading where that is higher. A
// Pellet has no level sense; there, and after a failed read, the meters show
// nothing while the held values wait for the next reading.
void MainWindow::PollAudioLevels()
{
    if (!pelletDevice) {
        AudioLevelBytes bytes{};
        if (AudioLevelSense(bytes) == kStatusOk) {
            HoldAudioPeaks(CurrentDevice->levelPeak, bytes);
            ShowMeters(CurrentDevice->levelPeak);
            return;
        }
    }
    ShowMeters({});
}

void MainWindow::ShowMeters(const std::array<quint8, 8> &levels)
{
    for (int channel = 0; channel < 8; ++channel) {
        QProgressBar *meter = control.meters[channel];
        const int value = std::min<int>(levels[channel], meter->maximum());
        if (meter->value() != value)
            meter->setValue(value);
    }
}

void MainWindow::PollTime()
{
    if (CurrentTimeSense() == kStatusOk && CurrentDevice)
        ShowTimecode(currentTime);
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
        refreshLoadedFile();
    else
        SetTitleIfChanged(QStringLiteral("Tavrel - %1").arg(CurrentDevice->name));
}

void MainWindow::SetTitleIfChanged(const QString &title)
{
    if (windowTitle() != title)
        setWindowTitle(title);
}
