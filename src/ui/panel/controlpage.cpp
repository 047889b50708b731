// SPDX-License-Identifier: GPL-3.0-or-later
#include "controlpage.h"

#include "keypad.h"
#include "memories.h"
#include "menukeys.h"
#include "paneldisplay.h"
#include "speedcontrol.h"
#include "transportkeys.h"
#include "ui/common/widgetfactory.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QListWidget>
#include <QTabWidget>
#include <QVBoxLayout>

#include <cstdlib>

// Each part holds the parts built before it and signals those built after
// it; the page connects the signals here.
ControlPage::ControlPage(RecorderSession &session, QWidget *parent)
    : QWidget(parent), display(new PanelDisplay(session, this)),
      transport(new TransportKeys(session, this)),
      speed(new SpeedControl(session, *transport, this)),
      keypad(new Keypad(session, *display, this)),
      menuKeys(new MenuKeys(session, *display, *transport, *speed, *keypad, this)), session(session)
{
    setObjectName(QStringLiteral("tab"));
    line7 = NewNamed<QFrame>(this, "line7");
    line7->setFrameShape(QFrame::VLine);
    line7->setFrameShadow(QFrame::Sunken);
    LayOut();
    ConnectParts();
}

void ControlPage::ConnectParts()
{
    connect(transport, &TransportKeys::DialModesLeft, speed, &SpeedControl::LeaveDialModes);
    connect(transport, &TransportKeys::SideChosen, menuKeys, &MenuKeys::OnPbEscClicked);
    connect(speed, &SpeedControl::JogForward, menuKeys, &MenuKeys::DoPlusPlus);
    connect(speed, &SpeedControl::JogBack, menuKeys, &MenuKeys::DoMinus);
    connect(keypad, &Keypad::DeleteBrowserWanted, menuKeys, &MenuKeys::OpenDeleteBrowser);
    connect(keypad, &Keypad::NewFileNameWanted, this, &ControlPage::ProposeNewFileName);
}

// Clear in the file browser proposes a new name as Save with Option does.
void ControlPage::ProposeNewFileName()
{
    transport->pbOption->setChecked(true);
    menuKeys->pbSav_pressed();
}

std::vector<KeyInfo> ControlPage::Keys()
{
    return JoinKeys({Keypad::Keys(), MenuKeys::Keys(), TransportKeys::Keys(), SpeedControl::Keys(),
                     Memories::Keys()});
}

void ControlPage::languageChange()
{
    display->languageChange();
    speed->languageChange();
    menuKeys->languageChange();
    tabWidget3->setTabText(tabWidget3->indexOf(tab_2), QStringLiteral("Clip informations"));
    tabWidget3->setTabText(tabWidget3->indexOf(memories), QStringLiteral("Capture &"));
}

// The loaded file's information, and the memories beside it.
QWidget *ControlPage::BuildNotebook()
{
    tabWidget3 = NewNamed<QTabWidget>(this, "tabWidget3");
    tabWidget3->setFocusPolicy(Qt::NoFocus);
    tab_2 = NewNamed<QWidget>(tabWidget3, "tab_2");
    auto *infoLayout = new QVBoxLayout(tab_2);
    infoLayout->setContentsMargins(2, 2, 2, 2);
    lbClipInfos = NewNamed<QListWidget>(tab_2, "lbClipInfos");
    lbClipInfos->setFocusPolicy(Qt::NoFocus);
    Describe(lbClipInfos, "Loaded file information");
    infoLayout->addWidget(lbClipInfos);
    memories = new Memories(session, *display, *keypad, tabWidget3);
    tabWidget3->addTab(tab_2, QString());
    tabWidget3->addTab(memories, QString());
    return tabWidget3;
}

// The display over the transport and speed keys on the left, the menu keys
// over the keypad on the right, the notebook below.
void ControlPage::LayOut()
{
    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);
    auto *left = new QVBoxLayout;
    left->setSpacing(8);
    left->addWidget(display);
    auto *motion = new QHBoxLayout;
    motion->setSpacing(8);
    motion->addWidget(transport);
    motion->addWidget(speed, 1);
    left->addLayout(motion);
    auto *right = new QVBoxLayout;
    right->setSpacing(8);
    right->addWidget(menuKeys);
    right->addWidget(keypad);
    grid->addLayout(left, 0, 0);
    grid->addWidget(line7, 0, 1);
    grid->addLayout(right, 0, 2);
    grid->addWidget(BuildNotebook(), 1, 0, 1, 3);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(1, 1);
}

Refusal ControlPage::Jog(int frames)
{
    const Refusal refusal = speed->EnterJog();
    if (refusal != Refusal::None)
        return refusal;
    for (int step = 0; step < std::abs(frames); ++step) {
        if (frames > 0)
            menuKeys->DoPlusPlus();
        else
            menuKeys->DoMinus();
    }
    return Refusal::None;
}

void ControlPage::ShowClipInformation(const QStringList &lines)
{
    lbClipInfos->clear();
    lbClipInfos->addItems(lines);
}
