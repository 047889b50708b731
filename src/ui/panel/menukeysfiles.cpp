// SPDX-License-Identifier: GPL-3.0-or-later
// The file browser on the display: Save and Recall, with Option the
// recorder's files on the lower line, stepped through with the dial; Enter
// creates, loads or deletes the file shown.

#include "menukeys.h"

#include "devices/devicerecord.h"
#include "keypad.h"
#include "link/linkstatus.h"
#include "paneldisplay.h"
#include "panelfilenames.h"
#include "panelkeycodes.h"
#include "protocol/commandengine.h"
#include "protocol/commandsend.h"
#include "protocol/filecommands.h"
#include "protocol/transportcommands.h"
#include "speedcontrol.h"
#include "speedtables.h"
#include "transportkeys.h"
#include "ui/common/recordersession.h"

#include <QPushButton>

namespace {

// The recorder holds at most 2048 files, so one of CLIP0000 to CLIP2047 is
// free unless the recorder is full.
constexpr int kClipNameCount = 2048;

// What Enter does in the browser.
constexpr qint32 kCreateFile = -1;
constexpr qint32 kLoadFile = 0;
constexpr qint32 kDeleteFile = 1;

// A data byte of the last reply, or 0 beyond the bytes it announced.
quint8 AnsweredByte(int n)
{
    return n < ReplyDataCount() ? ReplyData(n) : 0;
}

// The first CLIPnnnn name the recorder says is free; empty when every one is
// used or the recorder cannot tell.
QString FirstFreeClipName()
{
    for (int number = 0; number < kClipNameCount; ++number) {
        const QString name = ClipName(number);
        bool exists = true;
        if (FileNameQuery(name, exists) != kStatusOk)
            return QString();
        if (!exists)
            return name;
    }
    return QString();
}

} // namespace

void MenuKeys::FileBrowserKey(quint8 key)
{
    if (key == kFileBrowserOpenKey) {
        OpenFileBrowser();
        return;
    }
    if (key == kFileBrowserNextKey) {
        FileListEntry entry;
        FileListNext(entry);
    } else {
        FileListNextAll();
    }
    if (AnsweredByte(0) != kNoFileMark)
        ShowListedFile();
}

// The browser shows the recorder's first file, and the dial steps on from
// it; a recorder that keeps no files ends the browser at once.
void MenuKeys::OpenFileBrowser()
{
    FileListEntry first;
    FileListFirst(first);
    const quint8 firstByte = AnsweredByte(0);
    const bool noStore = AnsweredByte(1) == kNoStoreMark;
    if (DeviceRecord *device = session.Device())
        device->fileSelectMode = 1;
    speed.SetUpClipSelection();
    if (noStore) {
        session.LeavePanelModes();
        transport.pbOption->setChecked(false);
    } else if (firstByte != kNoFileMark) {
        ShowListedFile();
    }
}

// The reply names the file; the display marks it when it is the recorder's
// loaded file.
void MenuKeys::ShowListedFile()
{
    const QString name = ReplyText(0, kFileNameLength);
    const QByteArray bytes = name.toLatin1();
    session.WriteMenuLine(bytes);
    if (DeviceRecord *device = session.Device())
        KeepPanelFileName(*device, bytes);
    QString loaded;
    if (CurrentFileSense(loaded) == kStatusOk && loaded == name)
        session.WriteMenuLine(bytes + " Loaded");
}

void MenuKeys::OpenDeleteBrowser()
{
    DeviceRecord *device = session.Device();
    if (!device)
        return;
    session.SendPanelKey(kFileBrowserOpenKey);
    device->fileAction = kDeleteFile;
    transport.pbOption->setChecked(false);
    speed.SetUpBrowserDial(kDeleteDial);
    session.SwitchModifiersOff();
}

// Recall shows the recorder's segments to cue; with Option, or pressed
// again, it opens the browser to load a file.
void MenuKeys::OnPbRecallPressed()
{
    DeviceRecord *device = session.Device();
    if (!device || session.DelayModeHolds())
        return;
    if (!device->recallMode && !session.OptionOn()) {
        session.LeavePanelModes();
        device->recallMode = 1;
        session.SendPanelKey(kRecallKey);
        session.SendPanelKey(kRefreshKey);
    } else {
        session.LeavePanelModes();
        if (session.OptionOn())
            session.SendPanelKey(kFileBrowserOpenKey);
        device->fileAction = kLoadFile;
        speed.SetUpBrowserDial(kRecallDial);
    }
    session.SwitchModifiersOff();
    session.ResetTimecodeEntry();
}

// Save shows the recorder's next segment number to save at; with Option, or
// pressed again, it starts the entry of a new file's name, with Option
// proposing the first free CLIPnnnn name.
void MenuKeys::pbSav_pressed()
{
    DeviceRecord *device = session.Device();
    if (!device || session.DelayModeHolds())
        return;
    if (!device->saveMode && !session.OptionOn()) {
        session.LeavePanelModes();
        device->saveMode = 1;
        session.SendPanelKey(kSaveKey);
        session.SendPanelKey(kRefreshKey);
        session.ResetTimecodeEntry();
        session.SwitchModifiersOff();
        return;
    }
    session.LeavePanelModes();
    if (session.OptionOn() && !ProposeFileName(*device))
        return;
    device->fileAction = kCreateFile;
    device->fileSelectMode = 1;
    session.ResetTimecodeEntry();
    session.SwitchModifiersOff();
}

// Proposes CLIP0000 on a recorder without files, else the first free
// CLIPnnnn name, and says on the upper line whether it is free (asked once
// more, so that Enter creates only a name checked in this Save). False when
// there is nothing to propose: the recorder keeps no files, is full, or
// cannot tell which names are used.
bool MenuKeys::ProposeFileName(DeviceRecord &device)
{
    FileListEntry first;
    FileListFirst(first);
    if (AnsweredByte(1) == kNoStoreMark) {
        session.LeavePanelModes();
        transport.pbOption->setChecked(false);
        return false;
    }
    const QString name = AnsweredByte(0) == kNoFileMark ? ClipName(0) : FirstFreeClipName();
    if (name.isEmpty()) {
        session.LeavePanelModes();
        return false;
    }
    const QByteArray bytes = name.toLatin1();
    session.WriteMenuLine(bytes);
    KeepPanelFileName(device, bytes);
    session.WriteTimeLine(CheckPanelFileName(device));
    keypad.RestartDigits();
    return true;
}

// A file is created only under a name the recorder said is free in this
// Save; otherwise the entry stays for another name. Nothing is sent for an
// empty name.
void MenuKeys::EnterInFileBrowser(DeviceRecord &device)
{
    const QString name = QString::fromLatin1(device.panelFileName.data());
    const qint32 action = device.fileAction;
    if (action == kCreateFile && !device.panelFileAvailable)
        return;
    if (!name.isEmpty()) {
        if (action == kCreateFile) {
            CreateFile(name);
        } else if (action == kLoadFile) {
            LoadClip(name);
            WaitCueUpComplete();
        } else if (action == kDeleteFile) {
            DeleteFile(name);
        }
    }
    session.LeavePanelModes();
}
