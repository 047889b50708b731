// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "devices/connectmenu.h"
#include "menuactions.h"
#include "ui/common/keytable.h"
#include "ui/common/recordersession.h"

#include <QMainWindow>
#include <QtGlobal>

#include <vector>

class ControlPage;
class ExpertPage;
class QCloseEvent;
class QKeyEvent;
class QTabWidget;
class QTimer;
class RecorderMenu;
class RemoteControl;
class SegmentPage;
class ServerPage;
class TrafficTools;

// The application's one window: the recorder's front panel on the first
// page, its segments and playlist, its files and its disks on the others.
// It builds the menus and the pages, owns the idle timer that polls the
// current recorder ten times a second, and routes the ticks and the changes
// of page. The pages own their widgets and slots; the window is the session
// through which they reach each other (RecorderSession), and the panel that
// the connection selection works with; the "&Connect" menu's entries are
// `recorders`.
//
// Building the window touches no recorder and no file. A device session
// (devices/devicesession.h) then loads and probes the recorders, and Start
// shows the first one and starts the polling.
class MainWindow : public QMainWindow, public SelectionPanel, public RecorderSession
{
    Q_OBJECT

public:
    MainWindow();
    ~MainWindow() override;

    // The end of start-up, once the recorders are known: shows the current
    // recorder (or "Not connected." in the title), enables the menus, starts
    // the polling and centres the window on the desktop.
    void Start();

    ControlPage *control = nullptr;
    SegmentPage *segment = nullptr;
    ServerPage *server = nullptr;
    ExpertPage *expert = nullptr;
    // The "&Connect" menu's entries, which the device session fills.
    RecorderMenu *recorders = nullptr;
    // The traffic monitor and the session recording.
    TrafficTools *traffic = nullptr;

    // SelectionPanel
    void SendVersionKey() override;
    void ShowDiskInformation() override;
    void ResetForNewDevice() override;

    // RecorderSession
    DeviceRecord *Device() const override;
    bool DelayModeHolds() const override;
    bool PanelModeActive() const override;
    void LeavePanelModes() override;
    int CurrentPage() const override;
    void ShowTitle(const QString &title) override;
    void SuspendPolling() override;
    void ResumePolling() override;
    void WriteTimeLine(const QByteArray &text) override;
    void WriteMenuLine(const QByteArray &text) override;
    void WriteFuncString(const QByteArray &word) override;
    void SendPanelKey(quint8 key) override;
    void RefreshTimeAndStatus() override;
    bool OptionOn() const override;
    bool LockOn() const override;
    void SwitchModifiersOff() override;
    bool KeypadEntryActive() const override;
    void ResetTimecodeEntry() override;
    void SelectRecorderSide() override;
    void DoIn() override;
    void DoOut() override;
    void reloadSegmentList() override;
    void DoImport() override;
    void EndSegmentEntry() override;
    bool EditAllowed() const override;
    void MarkModified() override;
    void ShowClipInformation(const QStringList &lines) override;
    void refreshLoadedFile() override;
    void RequestLoadedFileRefresh() override;

    // Forwards to the panel, under the names the rest of the program uses.
    int TransportState() const;
    QString TimeLine() const;
    QString MenuLine() const;
    void RefreshPanel(DeviceRecord &device);

    // Every picture key of the four pages, page by page.
    static std::vector<KeyInfo> PanelKeys();

    // Remote control joins the window: the "&Device" menu's entries open
    // its dialog and its log, the status bar shows whether it is on and how
    // many clients it serves, and every poll publishes the state. The
    // remote control may go before the window.
    void AttachRemote(RemoteControl &remote);
    // Long work holds the polling (PollingPause).
    bool PollingSuspended() const { return pollingSuspensions > 0; }
    // The recorder the polling let go when it stopped answering; empty
    // before any was.
    QString LostDeviceName() const { return lostDeviceName; }

signals:
    // The polling tick has read the recorder's time, then its status; the
    // rest of its exchanges follow.
    void TimeRead();
    void StatusRead();
    // A polling tick ended, whether or not a recorder was polled.
    void Polled();

public slots:
    void EnableMenus();
    void tabWidget_currentChanged(QWidget *page);
    void languageChange();
    void DoIdle();
    void SetNewState(int state);
    void SelectControl(int id);
    void helpContents();
    void helpIndex();
    void helpAboutAction_activated();
    void helpShortcutsAction_activated();
    void SendManual9P_activated();
    void deviceSettingsAction_activated();
    void DoQuit();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    // The window's close button asks about an unsaved playlist as Quit does.
    void closeEvent(QCloseEvent *event) override;

private:
    // Construction.
    void BuildPages();
    void BuildMenus();
    void ConnectMenus();
    void SetMenuTexts();
    void GiveKeysToPanel();
    void BuildRecorderMenu();

    // Start-up.
    void ShowFirstDevice();
    void StartPolling();
    void CentreOnDesktop();

    // Polling steps that are the window's own.
    void Poll();
    void DropLostDevice();
    void PollStatus();
    void FollowTitle();

    // Enabling rules.
    void EnableDocumentActions(bool pellet, bool device);
    void EnableSegmentActions(bool pellet, bool device);
    void CheckCurrentDeviceEntry(bool device);

    QTabWidget *tabWidget = nullptr;
    MenuActions menus;
    QTimer *idleTimer = nullptr;
    int pollingSuspensions = 0;
    quint64 startMs = 0;
    QString lostDeviceName;
};
