// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <QtGlobal>

class QByteArray;
class QString;
struct DeviceRecord;

// What the pages of the main window and their parts share. A page reaches the
// recorder, the display and the other pages only through this interface,
// never through another page or the window itself. The main window implements
// it, each operation forwarding to the page or part that owns it (named in
// brackets below). GUI thread only.
class RecorderSession
{
public:
    virtual ~RecorderSession() = default;

    // The recorder.
    // The recorder being controlled, or null.
    virtual DeviceRecord *Device() const = 0;
    // Whether Delay mode holds the panel: the recorder waits to play back
    // while the player side is chosen, or records while the recorder side is.
    virtual bool DelayModeHolds() const = 0;
    // Whether the recorder's menu, Save, Recall, the Delay entry or the file
    // browser holds the panel keys.
    virtual bool PanelModeActive() const = 0;
    // Clears every panel mode of the current recorder, if any.
    virtual void LeavePanelModes() = 0;

    // The window.
    // The page shown: 0 Control, 1 Segment, 2 Server, 3 Expert.
    virtual int CurrentPage() const = 0;
    // Sets the window title unless it already reads so.
    virtual void ShowTitle(const QString &title) = 0;
    // Long work that talks to the recorder for seconds (a reload of every
    // segment, a playlist file re-created on the recorder) holds the polling
    // meanwhile, so that no status sense comes between its exchanges. Each
    // Resume undoes one Suspend; use PollingPause (ui/common/pollingpause.h).
    virtual void SuspendPolling() = 0;
    virtual void ResumePolling() = 0;

    // The recorder's display (the panel's display).
    virtual void WriteTimeLine(const QByteArray &text) = 0;
    virtual void WriteMenuLine(const QByteArray &text) = 0;
    virtual void WriteFuncString(const QByteArray &word) = 0;
    // Sends a key of the recorder's front panel and shows its answer.
    virtual void SendPanelKey(quint8 key) = 0;
    // Reads the recorder's time and status and shows them as a polling tick
    // does (the playlist follows a segment's start this way).
    virtual void RefreshTimeAndStatus() = 0;

    // The panel's keys (transport keys and keypad).
    // The modifier keys pbOption and pbLock, on or held down.
    virtual bool OptionOn() const = 0;
    virtual bool LockOn() const = 0;
    virtual void SwitchModifiersOff() = 0;
    // Whether a time is being typed on the keypad; the upper line then shows
    // the typed text, not the recorder's time.
    virtual bool KeypadEntryActive() const = 0;
    // Ends any time entry and the segment page's name entry.
    virtual void ResetTimecodeEntry() = 0;
    // Chooses the recorder side, as the R key does (pbR_pressed).
    virtual void SelectRecorderSide() = 0;
    // Marks the in and out points, as the In and Out menu entries do.
    virtual void DoIn() = 0;
    virtual void DoOut() = 0;

    // Segments (the segment page).
    virtual void reloadSegmentList() = 0;
    virtual void DoImport() = 0;
    // Ends the name entry of find, rename segment or rename disk.
    virtual void EndSegmentEntry() = 0;
    // The edit guard: a recorder is current and Delay mode does not hold it.
    virtual bool EditAllowed() const = 0;
    // Counts a change of the segment list or the playlist.
    virtual void MarkModified() = 0;

    // Files (the server page).
    // Shows the loaded file's information on the Control page as well.
    virtual void ShowClipInformation(const QStringList &lines) = 0;
    // The loaded-file refresh of the polling tick, run at once; and the
    // request that makes its next run rebuild the information even when the
    // loaded file has not changed.
    virtual void refreshLoadedFile() = 0;
    virtual void RequestLoadedFileRefresh() = 0;
};
