// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "remote/refusal.h"
#include "ui/common/keytable.h"

#include <QWidget>

class Keypad;
class PanelDisplay;
class RecorderSession;

// The "Capture &" page of the panel's notebook: four time-code memories,
// Capture, which copies the time on the display into the chosen memory, and
// Locate, which cues the recorder to it.
class Memories : public QWidget
{
    Q_OBJECT

public:
    Memories(RecorderSession &session, const PanelDisplay &display, Keypad &keypad,
             QWidget *parent);

    static std::vector<KeyInfo> Keys();

    static constexpr int kMemoryCount = 4;
    // Chooses memory 1-4 and captures into it, or locates to it, as its
    // key followed by Capture or Locate does; why nothing was captured or
    // sent.
    Refusal Capture(int memory);
    Refusal Locate(int memory);
    QString MemoryText(int memory) const;

    QPushButton *pbTC1 = nullptr;
    QPushButton *pbTC2 = nullptr;
    QPushButton *pbTC3 = nullptr;
    QPushButton *pbTC4 = nullptr;
    QPushButton *pbCapture = nullptr;
    QPushButton *pbLocate = nullptr;

public slots:
    void pbTC1_clicked();
    void pbTC2_clicked();
    void pbTC3_clicked();
    void pbTC4_clicked();
    void pbCapture_clicked();
    void pbLocate_clicked();

private:
    void SelectMemory(QPushButton *memory);
    QPushButton *Memory(int memory) const;
    Refusal CaptureSelected();
    Refusal LocateSelected();
    void BuildMemoryKeys();
    void LayOut();

    RecorderSession &session;
    const PanelDisplay &display;
    Keypad &keypad;
    QPushButton *selectedMemory = nullptr;
};
