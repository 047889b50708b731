// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/common/keytable.h"

#include <QGroupBox>

#include <optional>

class Keypad;
class PanelDisplay;
class QLabel;
class RecorderSession;
class ShiftWatch;
class SpeedControl;
class TransportKeys;
struct DeviceRecord;

// The recorder's own menu keys, laid out as on its front panel, with the
// panel's functions built on them: the file browser on the display (Save,
// Recall, and Clear with Option) and Delay mode, which records now and plays
// back after a set delay.
//
// Delay mode runs on a recorder that has a player side. Shift+Esc arms it
// (Esc becomes a toggle key); Up or Down then shows its entry, Toggle starts
// typing the delay on the lower line, and Enter starts it: the recorder side
// records and, when the player side was chosen, the player plays back once
// the delay has passed. Esc with "Off" shown in the entry ends it.
class MenuKeys : public QGroupBox
{
    Q_OBJECT

public:
    MenuKeys(RecorderSession &session, PanelDisplay &display, TransportKeys &transport,
             SpeedControl &speed, Keypad &keypad, QWidget *parent);

    static std::vector<KeyInfo> Keys();
    void languageChange();

    // The panel keys 12 to 14 of the file browser on the display. They never
    // reach the recorder as keys: 12 opens the browser on the recorder's
    // first file, 13 and 14 step through its files, with the file list
    // commands.
    void FileBrowserKey(quint8 key);
    // Clear with Option: the browser, to delete the file Enter is pressed on.
    void OpenDeleteBrowser();

    // Delay mode's playback: due on the first poll at or after the delay,
    // once per run of Delay mode.
    bool DelayedPlaybackDue(const DeviceRecord &device) const;
    void MarkDelayedPlaybackFired() { delayPlayFired = 1; }

    // The delay in milliseconds of an entry "hh:mm:ss:ff", frames counted at
    // 25 or 30 a second; none for any other text.
    static std::optional<quint64> DelayFromText(const QString &text, bool fiftyHz);

    QPushButton *pbRecall = nullptr;
    QPushButton *pbMenuUp = nullptr;
    QPushButton *pbSav = nullptr;
    QPushButton *pbmoinsmoins = nullptr;
    QPushButton *pbToggle = nullptr;
    QPushButton *pbPlusPlus = nullptr;
    QPushButton *pbEsc = nullptr;
    QPushButton *pbMenuDown = nullptr;
    QPushButton *pbEnter = nullptr;
    QLabel *textLabel1 = nullptr;
    QLabel *textLabel1_4 = nullptr;

public slots:
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

private:
    // Menu keys.
    void StepMenu(quint8 key);
    void StepFrameOrValue(bool forward);
    void MakeEscPlain();
    void LayOut();

    // Delay mode.
    bool DelayEntryOff(const DeviceRecord &device) const;
    QString DelayText(const DeviceRecord &device) const;
    void ShowDelayEntry(DeviceRecord &device);
    void EditDelayEntry(DeviceRecord &device);
    void StartDelayMode(DeviceRecord &device);
    void SetDelayPageByte();
    void EndDelayMode(DeviceRecord &device);

    // The file browser.
    void OpenFileBrowser();
    void ShowListedFile();
    bool ProposeFileName(DeviceRecord &device);
    void EnterInFileBrowser(DeviceRecord &device);

    RecorderSession &session;
    PanelDisplay &display;
    TransportKeys &transport;
    SpeedControl &speed;
    Keypad &keypad;
    ShiftWatch *shift = nullptr;
    quint64 delayMs = 0;
    quint64 delayStartMs = 0;
    quint8 delayPlayFired = 0;
};
