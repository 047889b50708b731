#pragma once

#include "ui/common/keytable.h"

#include <QGroupBox>

class QLabel;
class RecorderSession;
struct DeviceRecord;

// The recorder's own menu keys, laid out as on its front panel, with the
// panel's functions built on them: the file browser on the display (Save,
// Recall, and Clear with Option) and Delay mode, which records now and plays
// back after a set delay.
class MenuKeys : public QGroupBox
{
    Q_OBJECT

public:
    MenuKeys(RecorderSession &session, QWidget *parent);

    static std::vector<KeyInfo> Keys();
    void languageChange();

    // The panel keys 12 to 14 that step through the recorder's files on the
    // display. They never reach the recorder as keys: 13 and 14 ask for the
    // next file with the file list commands instead.
    void FileBrowserKey(quint8 key);

    // Delay mode's playback: due on the first poll at or after the delay,
    // once per run of Delay mode.
    bool DelayedPlaybackDue(const DeviceRecord &device) const;
    void MarkDelayedPlaybackFired() { delayPlayFired = 1; }

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
    void ShowListedFile();
    void LayOut();

    RecorderSession &session;
    quint32 delayMs = 0;
    quint32 delayStartMs = 0;
    quint8 delayPlayFired = 0;
};
