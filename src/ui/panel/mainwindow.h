#pragma once

#include "controlpage.h"
#include "devices/connectmenu.h"
#include "expertpage.h"
#include "segmentpage.h"
#include "serverpage.h"

#include <QHash>
#include <QMainWindow>
#include <QtGlobal>

#include <array>

class QAction;
class QKeyEvent;
class QMenu;
class QTabWidget;
class QTimer;
struct DeviceRecord;

// The application's one window: the recorder's front panel on the first
// page, its segments and playlist, its files and its disks on the others.
// It polls the current recorder ten times a second and shows only what the
// recorder reports. It is also the "&Connect" menu and the panel that the
// device registry and the connection selection work with.
class MainWindow : public QMainWindow, public ConnectMenu, public SelectionPanel
{
    Q_OBJECT

public:
    // Builds the window, finds the first recorder that answers and starts
    // polling it. The probes run here, before the window is shown.
    MainWindow();
    // Writes xr.cfg and releases the recorders and their links.
    ~MainWindow() override;

    // ConnectMenu
    void InsertXRMenuItem(const QString &name) override;
    bool RemoveXRMenuItem(const QString &name) override;
    QStringList XRMenuTexts() const override;
    QString XRMenuText(int id) const override;
    void CheckXRMenuItem(int id) override;

    // SelectionPanel
    void SendVersionKey() override;
    void ShowDiskInformation() override;
    void ResetForNewDevice() override;

    // Transport state 0-10 last shown on the transport keys; -1 before the
    // first.
    int TransportState() const { return transportState; }

    // The display lines as the panel holds them, 20 characters each.
    QString TimeLine() const;
    QString MenuLine() const;

    // A key of the recorder's front panel: sends it and shows the reply on
    // the display. Key 0 is the version check, which decides legacyFirmware.
    void SendPanelKey(quint8 key);

    // Display writers. WriteTimeLine leaves the upper line alone while a time
    // is typed on the keypad; WriteMenuLine only stores the lower line while
    // the device's silentUpdate is set; WriteFuncString puts the transport
    // word at the end of the lower line.
    void WriteTimeLine(const QByteArray &text);
    void WriteMenuLine(const QByteArray &text);
    void WriteFuncString(const QByteArray &word);
    // Shows the recorder's time (frames, seconds, minutes, hours as it sends
    // them) on the upper line, unless a panel mode holds the display.
    void ShowTimecode(const std::array<quint8, 4> &time);

    // Turns the last status sense into the transport keys, the transport word
    // and the Remote/Local, LTC and AT/TC faces.
    void RefreshPanel(DeviceRecord &device);

public slots:
    // Window and menus.
    void EnableMenus();
    void tabWidget_currentChanged(QWidget *page);
    void languageChange();
    void DoIdle();
    void SelectControl(int id);
    void helpContents();
    void helpIndex();
    void helpAboutAction_activated();
    void helpShortcutsAction_activated();
    void SendManual9P_activated();
    void deviceSettingsAction_activated();
    void DoQuit();

    // Transport keys, sides and status keys.
    void OnPbPlay();
    void OnPbRecord();
    void OnPbStop();
    void OnPbFor();
    void OnPbBack();
    void pbLock_pressed();
    void pbOption_pressed();
    void pbR_pressed();
    void pbP_pressed();
    void pbRemoteLocal_pressed();
    void pbOffLtc_pressed();
    void pbATTC_pressed();
    void SetNewState(int state);
    void UpdateLCD();

    // Jog, shuttle and slow motion.
    void rbJog_pressed();
    void rbShuttle_pressed();
    void rbSloMo_pressed();
    void potent_valueChanged(int value);
    void slider_sliderMoved(int value);

    // The recorder's menu keys and the file browser on the display.
    void MenuUp();
    void MenuDown();
    void DoMenu();
    void OnToggle();
    void DoMinus();
    void DoPlusPlus();
    void OnPbEscClicked();
    void OnPbEnter();
    void OnPbRecallPressed();
    void pbSav_pressed();

    // Time-code keypad, locate and memories.
    void OnPb0();
    void OnPb1();
    void OnPb2();
    void OnPb3();
    void OnPb4();
    void OnPb5();
    void OnPb6();
    void OnPb7();
    void OnPb8();
    void OnPb9();
    void pbDot_pressed();
    void OnPbClear();
    void OnPbBksp();
    void pb_Enter_clicked();
    void pbEsc2_clicked();
    void pbIn_clicked();
    void pbOut_pressed();
    void pbGotoClicked();
    void DoGoto();
    void DoSetTC();
    void DoIn();
    void DoOut();
    void pbTC1_clicked();
    void pbTC2_clicked();
    void pbTC3_clicked();
    void pbTC4_clicked();
    void pbCapture_clicked();
    void pbLocate_clicked();

    // Segment list.
    void DoCreateClip();
    void OnPbClip();
    void OnPbClipIn();
    void OnPbClipOut();
    void DoCut();
    void DoRenameClip();
    void DoFind();
    void DoRenameDisk();
    void lineEdit22_2_returnPressed();
    void DoGotoIn();
    void DoGotoOut();
    void TableClipList_clicked(int row, int column);
    void TableClipList_doubleClicked(int row, int column);
    void MClearClipList(bool clearAll);
    void Menu_Segment_Clear_all_activated();
    void DoImport();
    void DoCopyToTimeline();
    void DoCopyToEnd();
    void DoUndo();
    void DoPaste();

    // Playlist.
    void OnPbAddAfter();
    void OnPbAddBefore();
    void OnPbRemove();
    void OnPbRemoveAll();
    void OnPbNext();
    void OnPbPrevious();
    void TablePlaylist_doubleClicked(int row, int column);
    void pbStartPlaylist_pressed();
    void pbStart_pressed();
    void pbPause_pressed();
    void pbAbort_pressed();
    void MClearPlaylist(bool clearAll);
    void DoExport();

    // Playlist file and CSV export.
    void DoNew();
    void DoOpen();
    void DoSave();
    void DoSaveAs();
    void ExportClipCSV_activated();
    void ExportPListToCSV_activated();
    void DoExportClipCSV();

    // Recorder files.
    void pbUpdateListFile_pressed();
    void pbLoadFile_pressed();
    void TableFileList_doubleClicked(int row, int column);
    void pbCreateFile_2_clicked();
    void pbRenameClip_clicked();
    void pbDeleteFile_2_clicked();

    // Disks.
    void pbScan_clicked();
    void pbFormat_pressed();
    void pbFormat_released();
    void pbApply_pressed();
    void pbApply2_clicked();
    void pbApplyRecordSettings_clicked();
    void TableBus1_pressed(int row);
    void TableBus2_pressed(int row);
    void TableBus1_clicked(int row);
    void TableBus2_clicked(int row);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    // Construction.
    void BuildWidgets();
    void BuildMenus();
    void SetMenuTexts();
    void SetPanelTexts();
    void GiveKeysToPanel();
    void ConnectPanelButtons();
    void ConnectWidgets();
    QAction *Action(const char *name) const;

    // Start-up and end of the program.
    void StartUp();
    void CompleteConnectMenu();
    void ShowFirstDevice();
    void StartPolling();
    void CentreOnDesktop();
    void ShutdownDevices();

    // Polling steps.
    void FireDelayedPlayback();
    void DropLostDevice();
    void PollAudioLevels();
    void ShowMeters(const std::array<quint8, 8> &levels);
    void PollTime();
    void PollStatus();
    void FollowTitle();
    void SetTitleIfChanged(const QString &title);

    // Panel refresh steps.
    void KeepDisplayTidy(DeviceRecord &device);
    int ShowTransportWord();
    void ShowStatusKeys();

    // Display helpers.
    void ResetDisplayLines();
    int CurrentPage() const;
    QLineEdit *UpperLine() const;
    QLineEdit *LowerLine() const;
    void SetLowerLineFont(int length);
    void ShowVersionReply();
    void ShowDisplayReply();

    // Enabling rules.
    void EnableDocumentActions(bool pellet, bool device);
    void EnableSegmentActions(bool pellet, bool device);
    void CheckCurrentDeviceEntry(bool device);
    void EndSegmentEntry();

    // Hooks run by the polling and the shell for the recorder files, the
    // playlist and the playlist file; they do nothing while those are empty.
    void refreshLoadedFile();
    void ShowLoadedFileTitle(const QString &name);
    void playlistTick();
    void FileBrowserKey(quint8 key);
    bool closePrompt();
    void DeletePlaylistDocument();

    QTabWidget *tabWidget = nullptr;
    ControlPage control;
    SegmentPage segment;
    ServerPage server;
    ExpertPage expert;
    QHash<QString, QAction *> actions;
    QMenu *connectMenu = nullptr;
    int nextMenuId = kFirstRecorderMenuId;
    QTimer *idleTimer = nullptr;

    // Panel state.
    int transportState = -1;
    quint32 startMs = 0;
    quint8 jogActive = 0;
    quint8 varActive = 0;
    quint8 dialForward = 0;
    quint8 keypadEntryActive = 0;
    quint32 delayMs = 0;
    quint32 delayStartMs = 0;
    quint8 delayPlayFired = 0;

    // The shared entry of the segment page: find, rename segment, rename disk.
    quint8 findEntry = 0;
    quint8 renameSegmentEntry = 0;
    quint8 renameDiskEntry = 0;

    // The loaded file last shown; emptied to make the next refresh reload.
    QString lastShownFileName;

    // The display lines: 20 characters and a NUL each. The time-code
    // template is the upper line as the recorder's time last filled it.
    std::array<char, 21> timeLine{};
    std::array<char, 21> menuLine{};
    std::array<char, 21> timecodeTemplate{};
};
