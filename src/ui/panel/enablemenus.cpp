#include "mainwindow.h"

#include "devices/connectionselection.h"
#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "panelbuttons.h"
#include "protocol/recorderstate.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

namespace {

constexpr int kControlPage = static_cast<int>(PanelPage::Control);
constexpr int kSegmentPage = static_cast<int>(PanelPage::Segment);
constexpr int kServerPage = static_cast<int>(PanelPage::Server);
constexpr int kExpertPage = static_cast<int>(PanelPage::Expert);

// The playlist document and segment work that a Pellet recorder cannot do.
const char *const kNotOnPellet[] = {
    "ImportClip",    "New", "Save", "SaveAs",     "Menu_Segment_Clear_all", "ExportPlaylist",
    "ExportClipCSV", "In",  "Out",  "CreateClip", "ExportPListToCSV"};

// Entries that act on the selected segment of the segment list.
const char *const kOnSelectedSegment[] = {"CutClip", "RenameClip", "GotoIn", "GotoOut"};
const char *const kOnSegmentClipboard[] = {"CopyClip", "PasteClip"};

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

void MainWindow::EnableDocumentActions(bool pellet, bool device)
{
    for (const char *name : kNotOnPellet)
        Action(name)->setEnabled(!pellet);
    control.pbR->setVisible(!pellet);
    control.pbSav->setVisible(!pellet);
    server.pbCreateFile_2->setVisible(!pellet);
    server.pbRenameClip->setVisible(!(legacyFirmware == 1 || pellet));
    Action("deviceSettingsAction")->setEnabled(!pellet && device);
}

void MainWindow::EnableSegmentActions(bool pellet, bool device)
{
    const bool onSegments = CurrentPage() == kSegmentPage;
    const bool selected = onSegments && segment.TableClipList->currentRow() >= 0;
    Action("Find")->setEnabled(!pellet && onSegments);
    for (const char *name : kOnSelectedSegment)
        Action(name)->setEnabled(selected && !pellet && device);
    for (const char *name : kOnSegmentClipboard)
        Action(name)->setEnabled(selected && !pellet);
    Action("RenameDisk")->setEnabled(onSegments && device && legacyFirmware == 1);
    Action("Open")->setEnabled(onSegments && !pellet && device);
}

// The check mark sits on the current recorder's entry while it answers.
void MainWindow::CheckCurrentDeviceEntry(bool device)
{
    const bool answering = device && !CurrentDevice->disconnected;
    for (QAction *entry : connectMenu->actions()) {
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
    if (DelayModeHoldsDevice()) {
        // Delay mode runs on the panel: the other pages stay closed.
        if (index != kControlPage)
            tabWidget->setCurrentIndex(kControlPage);
        return;
    }
    OnPbEscClicked();
    if (index == kSegmentPage) {
        segment.lineLCD2->setText(control.lineLCD1->text());
        segment.lineLCD4->setText(control.lineLCD3->text());
    }
    if (index == kServerPage) {
        // An older recorder keeps a disk name, not files.
        if (legacyFirmware == 1)
            tabWidget->setCurrentIndex(kControlPage);
        else
            pbUpdateListFile_pressed();
    }
    if (index == kExpertPage && CurrentDevice && pelletDevice) {
        QMessageBox::warning(this, QStringLiteral("Tavrel"),
                             QStringLiteral("This window is not currently available for Pellet "
                                            "device."));
        tabWidget->setCurrentIndex(kControlPage);
    }
    EndSegmentEntry();
}

// Ends the name entry of the segment page, whichever of find, rename segment
// and rename disk it was.
void MainWindow::EndSegmentEntry()
{
    findEntry = 0;
    renameSegmentEntry = 0;
    renameDiskEntry = 0;
    segment.EditLabel2->clear();
    segment.lineEdit22_2->clear();
}
