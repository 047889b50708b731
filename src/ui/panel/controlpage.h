// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "remote/refusal.h"
#include "ui/common/keytable.h"

#include <QStringList>
#include <QWidget>

#include <vector>

class Keypad;
class Memories;
class MenuKeys;
class PanelDisplay;
class QFrame;
class QListWidget;
class QTabWidget;
class RecorderSession;
class SpeedControl;
class TransportKeys;
struct DeviceRecord;

// The remote panel, the first page of the main window: the recorder's display
// with its meters, the transport keys, the speed dial, the recorder's menu
// keys, the time-code keypad, and a notebook with the loaded file's
// information and four time-code memories. The parts own their keys and
// slots; the page does what takes more than one part: the panel refresh from
// the recorder's status, the front-panel keys and the polling steps of the
// panel.
class ControlPage : public QWidget
{
    Q_OBJECT

public:
    ControlPage(RecorderSession &session, QWidget *parent);

    static std::vector<KeyInfo> Keys();
    void languageChange();

    // A key of the recorder's front panel: sends it and shows the reply on
    // the display. Key 0 is the version check, which decides legacyFirmware;
    // the file browser's keys 12 to 14 are served by the panel itself.
    void SendPanelKey(quint8 key);

    // Turns the last status sense into the transport keys, the transport
    // word and the Remote/Local, LTC and AT/TC faces. The lower line keeps
    // the recorder's last text for its first 6 s after `startMs`.
    void RefreshPanel(DeviceRecord &device, quint64 startMs);

    // The word the transport keys' state shows ("PLAY", "STOP", ...), as
    // the last status gave it; empty when the status names none.
    QByteArray TransportWord() const { return transportWord; }

    // Jog mode, then one frame step per frame (back for a negative count),
    // as the dial's jog steps take them; why nothing moved.
    Refusal Jog(int frames);

    // Steps of the polling tick that draw the panel.
    void FireDelayedPlayback(const DeviceRecord &device);
    void PollAudioLevels(DeviceRecord &device);
    void PollTime();

    // The loaded file's information.
    void ShowClipInformation(const QStringList &lines);

    PanelDisplay *display = nullptr;
    TransportKeys *transport = nullptr;
    SpeedControl *speed = nullptr;
    Keypad *keypad = nullptr;
    MenuKeys *menuKeys = nullptr;
    Memories *memories = nullptr;
    QFrame *line7 = nullptr;
    QTabWidget *tabWidget3 = nullptr;
    QWidget *tab_2 = nullptr;
    QListWidget *lbClipInfos = nullptr;

private slots:
    void ProposeNewFileName();

private:
    void ConnectParts();
    QWidget *BuildNotebook();
    void LayOut();
    void KeepDisplayTidy(DeviceRecord &device, quint64 startMs);
    int ShowTransportWord();
    void ShowWord(const QByteArray &word);

    RecorderSession &session;
    QByteArray transportWord;
};
