// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include "controlpage.h"
#include "devices/connectionselection.h"
#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "menukeys.h"
#include "paneldisplay.h"
#include "protocol/recorderstate.h"
#include "transportkeys.h"
#include "ui/clips/segmentlist.h"
#include "ui/clips/segmentpage.h"
#include "ui/clips/serverpage.h"

#include <QAction>
#include <QMenu>
#include <QMessageBox>
#include <QTabWidget>
#include <QTableWidget>

namespace {

constexpr int kControlPage = static_cast<int>(PanelPage::Control);
constexpr int kSegmentPage = static_cast<int>(PanelPage::Segment);
constexpr int kServerPage = static_cast<int>(PanelPage::Server);
constexpr int kExpertPage = static_cast<int>(PanelPage::Expert);

} // namespace

// Runs on every tick, so that the menus, the keys a recorder lacks and the
// Connect menu's check mark follow a change of recorder, page or selection
// within 100 ms.
void MainWindow::EnableMenus()
{
    const bool pellet = CurrentDevice && pelletDevice;
    const bool device = CurrentDevice != nullptr;
    // A Pellet keeps no segments and no disks of its own.
    if (pellet && CurrentPage() == kSegmentPage)
        tabWidget->setCurrentIndex(kControlPage);
    if (pellet && CurrentPage() == kExpertPage)
        tabWidget->setCurrentIndex(kServerPage);
    EnableDocumentActions(pellet, device);
    EnableSegmentActions(pellet, device);
    CheckCurrentDeviceEntry(device);
}

// The playlist document and segment work that a Pellet recorder cannot do.
void MainWindow::EnableDocumentActions(bool pellet, bool device)
{
    for (QAction *action :
         {menus.ImportClip, menus.New, menus.Save, menus.SaveAs, menus.Menu_Segment_Clear_all,
          menus.ExportPlaylist, menus.ExportClipCSV, menus.In, menus.Out, menus.CreateClip,
          menus.ExportPListToCSV, menus.ExportClipEDL, menus.ExportPListToEDL})
        action->setEnabled(!pellet);
    control->transport->pbR->setVisible(!pellet);
    control->menuKeys->pbSav->setVisible(!pellet);
    server->pbCreateFile_2->setVisible(!pellet);
    server->pbRenameClip->setVisible(!(legacyFirmware == 1 || pellet));
    menus.deviceSettingsAction->setEnabled(!pellet && device);
}

// Entries that act on the selected segment of the segment list.
void MainWindow::EnableSegmentActions(bool pellet, bool device)
{
    const bool onSegments = CurrentPage() == kSegmentPage;
    const bool selected = onSegments && segment->segments->TableClipList->currentRow() >= 0;
    menus.Find->setEnabled(!pellet && onSegments);
    for (QAction *action : {menus.CutClip, menus.RenameClip, menus.GotoIn, menus.GotoOut})
        action->setEnabled(selected && !pellet && device);
    for (QAction *action : {menus.CopyClip, menus.PasteClip})
        action->setEnabled(selected && !pellet);
    menus.RenameDisk->setEnabled(onSegments && device && legacyFirmware == 1);
    menus.Open->setEnabled(onSegments && !pellet && device);
}

// The check mark sits on the current recorder's entry while it answers.
void MainWindow::CheckCurrentDeviceEntry(bool device)
{
    const bool answering = device && !CurrentDevice->disconnected;
    for (QAction *entry : menus.connectMenu->actions()) {
        if (entry->isSeparator())
            continue;
        const bool current = answering && entry->text() == CurrentDevice->name;
        if (entry->isChecked() != current)
            entry->setChecked(current);
    }
}

void MainWindow::tabWidget_currentChanged(QWidget *page)
{
    const int index = tabWidget->indexOf(page);
    EnableMenus();
    GiveKeysToPanel();
    if (DelayModeHolds()) {
        // Delay mode runs on the panel: the other pages stay closed.
        if (index != kControlPage)
            tabWidget->setCurrentIndex(kControlPage);
        return;
    }
    control->menuKeys->OnPbEscClicked();
    if (index == kSegmentPage)
        control->display->CopyToSecondLines();
    if (index == kServerPage) {
        // An older recorder keeps a disk name, not files.
        if (legacyFirmware == 1)
            tabWidget->setCurrentIndex(kControlPage);
        else
            server->pbUpdateListFile_pressed();
    }
    if (index == kExpertPage && CurrentDevice && pelletDevice) {
        QMessageBox::warning(this, QStringLiteral("Tavrel"),
                             QStringLiteral("This window is not currently available for Pellet "
                                            "device."));
        tabWidget->setCurrentIndex(kControlPage);
    }
    EndSegmentEntry();
}
