// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "remote/refusal.h"
#include "ui/common/keytable.h"

#include <QGroupBox>

class PanelDisplay;
class QLineEdit;
class RecorderSession;
struct DeviceRecord;

// The time-code keypad: digits typed over the digits of the display's upper
// line, which stays frozen while the entry lasts; Goto cues the recorder to
// the typed time, In and Out mark the recorder's edit points. While the
// recorder's menu, Delay mode or the file browser holds the panel, the same
// keys act on them: digits go to the recorder's menu, type the delay on the
// lower line, or change the file name the browser shows.
class Keypad : public QGroupBox
{
    Q_OBJECT

public:
    Keypad(RecorderSession &session, PanelDisplay &display, QWidget *parent);

    static std::vector<KeyInfo> Keys();

    // Whether a time is being typed; the polling then leaves the upper line
    // alone.
    bool KeypadEntryActive() const { return keypadEntryActive != 0; }
    // Ends any entry: the typed time and the segment page's name entry.
    void ResetTimecodeEntry();
    // Starts typing the delay of Delay mode, from its first digit.
    void StartDelayEntry();
    // The next digit typed replaces the first digit again.
    void RestartDigits() { keypadDigitPos = 0; }
    // Goto a time text ("10:00:00:00"), as Goto takes the typed time; why
    // not, without a recorder or while Delay mode holds the side.
    Refusal GotoTime(const QString &time);
    // Which of the eight time digits the next digit key replaces, 0-7.
    int DigitPosition() const { return keypadDigitPos; }

    QPushButton *pb0 = nullptr;
    QPushButton *pb1 = nullptr;
    QPushButton *pb2 = nullptr;
    QPushButton *pb3 = nullptr;
    QPushButton *pb4 = nullptr;
    QPushButton *pb5 = nullptr;
    QPushButton *pb6 = nullptr;
    QPushButton *pb7 = nullptr;
    QPushButton *pb8 = nullptr;
    QPushButton *pb9 = nullptr;
    QPushButton *pbDot = nullptr;
    QPushButton *pbclear = nullptr;
    QPushButton *pbBksp = nullptr;
    QPushButton *pbIn = nullptr;
    QPushButton *pbOut = nullptr;
    QPushButton *pbGoto = nullptr;

public slots:
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
    void pbIn_clicked();
    void pbOut_pressed();
    void pbGotoClicked();
    void DoGoto();
    void DoSetTC();
    void DoIn();
    void DoOut();

signals:
    // Clear with Option opens the file browser to delete a file.
    void DeleteBrowserWanted();
    // Clear in the file browser proposes a new file name, as Save with
    // Option does.
    void NewFileNameWanted();

private:
    void KeypadDigit(int digit);
    void TypeFileDigit(DeviceRecord &device, int digit);
    void TypeTimeDigit(QLineEdit *line, int digit);
    void EditPoint(bool in, bool endEntry);
    void LayOut();

    RecorderSession &session;
    PanelDisplay &display;
    quint8 keypadEntryActive = 0;
    qint32 keypadDigitPos = 0;
};
