#include "mainwindow.h"

#include <QDial>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>

#include <iterator>

namespace {

using Slot = void (MainWindow::*)();

// Most keys act as soon as they go down. Those marked Clicked act when let go
// over the key, so a press can still be taken back by sliding off it.
enum class Trigger { Pressed, Clicked, Released };

struct ButtonSlot
{
    const char *button;
    Trigger trigger;
    Slot slot;
};

constexpr Trigger P = Trigger::Pressed;
constexpr Trigger C = Trigger::Clicked;

const ButtonSlot kButtonSlots[] = {
    // Control page.
    {"pbPlay", C, &MainWindow::OnPbPlay},
    {"pbStop", C, &MainWindow::OnPbStop},
    {"pbRecord", C, &MainWindow::OnPbRecord},
    {"pbFor", C, &MainWindow::OnPbFor},
    {"pbBack", C, &MainWindow::OnPbBack},
    {"pbLock", P, &MainWindow::pbLock_pressed},
    {"pbOption", P, &MainWindow::pbOption_pressed},
    {"pbR", P, &MainWindow::pbR_pressed},
    {"pbP", P, &MainWindow::pbP_pressed},
    {"pbRemoteLocal", P, &MainWindow::pbRemoteLocal_pressed},
    {"pbOffLtc", P, &MainWindow::pbOffLtc_pressed},
    {"pbATTC", P, &MainWindow::pbATTC_pressed},
    {"rbJog", P, &MainWindow::rbJog_pressed},
    {"rbShuttle", P, &MainWindow::rbShuttle_pressed},
    {"rbSloMo", P, &MainWindow::rbSloMo_pressed},
    {"pbMenuUp", C, &MainWindow::MenuUp},
    {"pbMenuDown", C, &MainWindow::MenuDown},
    {"pbToggle", C, &MainWindow::OnToggle},
    {"pbmoinsmoins", C, &MainWindow::DoMinus},
    {"pbPlusPlus", C, &MainWindow::DoPlusPlus},
    {"pbEsc", P, &MainWindow::OnPbEscClicked},
    {"pbEnter", P, &MainWindow::OnPbEnter},
    {"pbRecall", P, &MainWindow::OnPbRecallPressed},
    {"pbSav", P, &MainWindow::pbSav_pressed},
    {"pb0", P, &MainWindow::OnPb0},
    {"pb1", P, &MainWindow::OnPb1},
    {"pb2", P, &MainWindow::OnPb2},
    {"pb3", P, &MainWindow::OnPb3},
    {"pb4", P, &MainWindow::OnPb4},
    {"pb5", P, &MainWindow::OnPb5},
    {"pb6", P, &MainWindow::OnPb6},
    {"pb7", P, &MainWindow::OnPb7},
    {"pb8", P, &MainWindow::OnPb8},
    {"pb9", P, &MainWindow::OnPb9},
    {"pbDot", P, &MainWindow::pbDot_pressed},
    {"pbclear", P, &MainWindow::OnPbClear},
    {"pbBksp", P, &MainWindow::OnPbBksp},
    {"pbIn", C, &MainWindow::pbIn_clicked},
    {"pbOut", C, &MainWindow::pbOut_pressed},
    {"pbGoto", C, &MainWindow::pbGotoClicked},
    {"pbTC1", C, &MainWindow::pbTC1_clicked},
    {"pbTC2", C, &MainWindow::pbTC2_clicked},
    {"pbTC3", C, &MainWindow::pbTC3_clicked},
    {"pbTC4", C, &MainWindow::pbTC4_clicked},
    {"pbCapture", C, &MainWindow::pbCapture_clicked},
    {"pbLocate", C, &MainWindow::pbLocate_clicked},
    // Segment page.
    {"pbEsc2", C, &MainWindow::pbEsc2_clicked},
    {"pb_Enter", C, &MainWindow::pb_Enter_clicked},
    {"pbClip", P, &MainWindow::OnPbClip},
    {"pbClipIn", P, &MainWindow::OnPbClipIn},
    {"pbClipOut", P, &MainWindow::OnPbClipOut},
    {"pbAddBefore", P, &MainWindow::OnPbAddBefore},
    {"pbAddAfter", P, &MainWindow::OnPbAddAfter},
    {"pbRemove", P, &MainWindow::OnPbRemove},
    {"pbRemoveAll", P, &MainWindow::OnPbRemoveAll},
    {"pbPrev", P, &MainWindow::OnPbPrevious},
    {"pbNext", P, &MainWindow::OnPbNext},
    {"pbStart", P, &MainWindow::pbStart_pressed},
    {"pbPause", P, &MainWindow::pbPause_pressed},
    {"pbAbort", P, &MainWindow::pbAbort_pressed},
    // Server page.
    {"pbUpdateListFile", P, &MainWindow::pbUpdateListFile_pressed},
    {"pbLoadFile", P, &MainWindow::pbLoadFile_pressed},
    {"pbCreateFile_2", C, &MainWindow::pbCreateFile_2_clicked},
    {"pbRenameClip", C, &MainWindow::pbRenameClip_clicked},
    {"pbDeleteFile_2", C, &MainWindow::pbDeleteFile_2_clicked},
    // Expert page: a format starts when the key is let go.
    {"pbScan", C, &MainWindow::pbScan_clicked},
    {"pbFormat", P, &MainWindow::pbFormat_pressed},
    {"pbFormat", Trigger::Released, &MainWindow::pbFormat_released},
    {"pbApply", P, &MainWindow::pbApply_pressed},
    {"pbApply2", C, &MainWindow::pbApply2_clicked},
};

} // namespace

void MainWindow::ConnectPanelButtons()
{
    for (const ButtonSlot &entry : kButtonSlots) {
        auto *button = findChild<QPushButton *>(QLatin1String(entry.button));
        Q_ASSERT(button);
        switch (entry.trigger) {
        case Trigger::Pressed:
            connect(button, &QAbstractButton::pressed, this, entry.slot);
            break;
        case Trigger::Clicked:
            connect(button, &QAbstractButton::clicked, this, entry.slot);
            break;
        case Trigger::Released:
            connect(button, &QAbstractButton::released, this, entry.slot);
            break;
        }
    }
}

void MainWindow::ConnectWidgets()
{
    connect(tabWidget, &QTabWidget::currentChanged, this,
            [this](int index) { tabWidget_currentChanged(tabWidget->widget(index)); });
    connect(control.potent, &QDial::valueChanged, this, &MainWindow::potent_valueChanged);
    connect(control.slider, &QSlider::sliderMoved, this, &MainWindow::slider_sliderMoved);
    connect(segment.lineEdit22_2, &QLineEdit::returnPressed, this,
            &MainWindow::lineEdit22_2_returnPressed);
    connect(segment.TableClipList, &QTableWidget::cellClicked, this,
            &MainWindow::TableClipList_clicked);
    connect(segment.TableClipList, &QTableWidget::cellDoubleClicked, this,
            &MainWindow::TableClipList_doubleClicked);
    connect(segment.TablePlaylist, &QTableWidget::cellDoubleClicked, this,
            &MainWindow::TablePlaylist_doubleClicked);
    connect(server.TableFileList, &QTableWidget::cellDoubleClicked, this,
            &MainWindow::TableFileList_doubleClicked);
    connect(expert.TableBus1, &QTableWidget::cellPressed, this, &MainWindow::TableBus1_pressed);
    connect(expert.TableBus2, &QTableWidget::cellPressed, this, &MainWindow::TableBus2_pressed);
    connect(expert.TableBus1, &QTableWidget::cellClicked, this, &MainWindow::TableBus1_clicked);
    connect(expert.TableBus2, &QTableWidget::cellClicked, this, &MainWindow::TableBus2_clicked);
}
