// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include "controlpage.h"
#include "devices/connectionselection.h"
#include "devices/devicelists.h"
#include "keypad.h"
#include "paneldisplay.h"
#include "panelkeycodes.h"
#include "panelmodes.h"
#include "protocol/recorderstate.h"
#include "transportkeys.h"
#include "ui/clips/playlist.h"
#include "ui/clips/segmentlist.h"
#include "ui/clips/segmentpage.h"
#include "ui/clips/serverpage.h"

#include <QTabWidget>
#include <QTimer>

// The session the pages share: each operation goes to the page or part that
// owns it.

DeviceRecord *MainWindow::Device() const
{
    return CurrentDevice;
}

bool MainWindow::DelayModeHolds() const
{
    return DelayModeHoldsDevice();
}

bool MainWindow::PanelModeActive() const
{
    return CurrentDeviceInPanelMode();
}

void MainWindow::LeavePanelModes()
{
    if (CurrentDevice)
        ::LeavePanelModes(*CurrentDevice);
}

int MainWindow::CurrentPage() const
{
    return tabWidget->currentIndex();
}

void MainWindow::ShowTitle(const QString &title)
{
    if (windowTitle() != title)
        setWindowTitle(title);
}

void MainWindow::SuspendPolling()
{
    if (pollingSuspensions++ == 0 && idleTimer)
        idleTimer->stop();
}

void MainWindow::ResumePolling()
{
    if (pollingSuspensions > 0 && --pollingSuspensions == 0 && idleTimer)
        idleTimer->start();
}

void MainWindow::WriteTimeLine(const QByteArray &text)
{
    control->display->WriteTimeLine(text);
}

void MainWindow::WriteMenuLine(const QByteArray &text)
{
    control->display->WriteMenuLine(text);
}

void MainWindow::WriteFuncString(const QByteArray &word)
{
    control->display->WriteFuncString(word);
}

void MainWindow::SendPanelKey(quint8 key)
{
    control->SendPanelKey(key);
}

void MainWindow::RefreshTimeAndStatus()
{
    control->PollTime();
    PollStatus();
}

bool MainWindow::OptionOn() const
{
    return control->transport->OptionOn();
}

bool MainWindow::LockOn() const
{
    return control->transport->LockOn();
}

void MainWindow::SwitchModifiersOff()
{
    control->transport->SwitchModifiersOff();
}

bool MainWindow::KeypadEntryActive() const
{
    return control->keypad->KeypadEntryActive();
}

void MainWindow::ResetTimecodeEntry()
{
    control->keypad->ResetTimecodeEntry();
}

void MainWindow::SelectRecorderSide()
{
    control->transport->pbR_pressed();
}

void MainWindow::DoIn()
{
    control->keypad->DoIn();
}

void MainWindow::DoOut()
{
    control->keypad->DoOut();
}

void MainWindow::reloadSegmentList()
{
    segment->segments->reloadSegmentList();
}

void MainWindow::DoImport()
{
    segment->segments->DoImport();
}

void MainWindow::EndSegmentEntry()
{
    segment->segments->EndSegmentEntry();
}

bool MainWindow::EditAllowed() const
{
    return segment->segments->EditAllowed();
}

void MainWindow::MarkModified()
{
    segment->segments->MarkModified();
}

void MainWindow::ShowClipInformation(const QStringList &lines)
{
    control->ShowClipInformation(lines);
}

void MainWindow::refreshLoadedFile()
{
    server->refreshLoadedFile();
}

void MainWindow::RequestLoadedFileRefresh()
{
    server->RequestLoadedFileRefresh();
}

// The parts of a change of recorder that are the window's own.

void MainWindow::SendVersionKey()
{
    SendPanelKey(kVersionKey);
}

void MainWindow::ShowDiskInformation()
{
    segment->segments->ShowDiskInformation();
}

void MainWindow::ResetForNewDevice()
{
    segment->segments->MClearClipList();
    segment->playlist->MClearPlaylist();
    server->ClearFileList();
    recPlayMode = kNoSideChosen;
    SelectRecorderSide();
    SwitchModifiersOff();
    server->ForgetLoadedFile();
    server->pbUpdateListFile_pressed();
}
