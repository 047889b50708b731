#pragma once

#include <array>

class QDial;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSlider;
class QTabWidget;
class QWidget;

// The remote panel, the first page of the main window: the recorder's
// two-line display with its audio meters, the transport keys, the speed dial,
// the recorder's menu keys, the time-code keypad, and a small notebook with
// the loaded clip's information and four time-code memories.
struct ControlPage
{
    QWidget *page = nullptr;

    // Display (buttonGroup4).
    QLineEdit *lineLCD1 = nullptr; // upper line: time code or typed time
    QLineEdit *lineLCD3 = nullptr; // lower line: transport word or menu text
    std::array<QProgressBar *, 8> meters{};

    // Transport.
    QPushButton *pbPlay = nullptr;
    QPushButton *pbStop = nullptr;
    QPushButton *pbRecord = nullptr;
    QPushButton *pbFor = nullptr;
    QPushButton *pbBack = nullptr;
    QPushButton *pbLock = nullptr;
    QPushButton *pbOption = nullptr;
    QPushButton *pbR = nullptr;
    QPushButton *pbP = nullptr;
    QPushButton *pbRemoteLocal = nullptr;
    QPushButton *pbOffLtc = nullptr;
    QPushButton *pbATTC = nullptr;

    // Speed.
    QDial *potent = nullptr;
    QSlider *slider = nullptr;
    QPushButton *rbJog = nullptr;
    QPushButton *rbShuttle = nullptr;
    QPushButton *rbSloMo = nullptr;
    std::array<QLabel *, 5> sliderTxt{}; // sliderTxt1 ... sliderTxt5

    // The recorder's menu keys.
    QPushButton *pbMenuUp = nullptr;
    QPushButton *pbMenuDown = nullptr;
    QPushButton *pbToggle = nullptr;
    QPushButton *pbmoinsmoins = nullptr;
    QPushButton *pbPlusPlus = nullptr;
    QPushButton *pbEsc = nullptr;
    QPushButton *pbEnter = nullptr;
    QPushButton *pbRecall = nullptr;
    QPushButton *pbSav = nullptr;

    // Keypad.
    std::array<QPushButton *, 10> pbDigit{}; // pb0 ... pb9
    QPushButton *pbDot = nullptr;
    QPushButton *pbclear = nullptr;
    QPushButton *pbBksp = nullptr;
    QPushButton *pbIn = nullptr;
    QPushButton *pbOut = nullptr;
    QPushButton *pbGoto = nullptr;

    // Clip information and time-code memories (tabWidget3).
    QTabWidget *tabWidget3 = nullptr;
    QListWidget *lbClipInfos = nullptr;
    std::array<QPushButton *, 4> pbTC{}; // pbTC1 ... pbTC4
    QPushButton *pbCapture = nullptr;
    QPushButton *pbLocate = nullptr;
};

// Builds the page's widgets and layouts inside `page` (the tab "tab").
ControlPage BuildControlPage(QWidget *page);
