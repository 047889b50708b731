#include "mainwindow.h"

#include "devices/adddevicedialog.h"
#include "devices/connectionselection.h"
#include "devices/deviceregistry.h"
#include "devices/removedevicedialog.h"
#include "panelkeycodes.h"
#include "protocol/filecommands.h"
#include "protocol/recorderstate.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

namespace {

// The Connect menu's entries carry their menu id as the action's data.
int EntryId(const QAction *entry)
{
    return entry->data().toInt();
}

} // namespace

void MainWindow::InsertXRMenuItem(const QString &name)
{
    auto *entry = connectMenu->addAction(name);
    entry->setCheckable(true);
    entry->setData(nextMenuId++);
}

bool MainWindow::RemoveXRMenuItem(const QString &name)
{
    for (QAction *entry : connectMenu->actions()) {
        if (!entry->isSeparator() && entry->text() == name) {
            connectMenu->removeAction(entry);
            delete entry;
            return true;
        }
    }
    return false;
}

QStringList MainWindow::XRMenuTexts() const
{
    QStringList texts;
    for (const QAction *entry : connectMenu->actions()) {
        if (!entry->isSeparator())
            texts << entry->text();
    }
    return texts;
}

QString MainWindow::XRMenuText(int id) const
{
    for (const QAction *entry : connectMenu->actions()) {
        if (!entry->isSeparator() && EntryId(entry) == id)
            return entry->text();
    }
    return QString();
}

void MainWindow::CheckXRMenuItem(int id)
{
    for (QAction *entry : connectMenu->actions()) {
        if (!entry->isSeparator())
            entry->setChecked(EntryId(entry) == id);
    }
}

// The add and remove entries take the ids 1 and 2, which are also their
// positions: the menu holds only its separator before them.
void MainWindow::CompleteConnectMenu()
{
    const auto insertFixed = [this](const QString &text, void (MainWindow::*slot)()) {
        auto *entry = connectMenu->addAction(text);
        entry->setCheckable(true);
        entry->setData(connectMenu->actions().size() - 1);
        connect(entry, &QAction::triggered, this, slot);
    };
    insertFixed(QStringLiteral("Add XR..."), &MainWindow::helpContents);
    insertFixed(QStringLiteral("Remove XR..."), &MainWindow::helpIndex);
    connect(connectMenu, &QMenu::triggered, this,
            [this](QAction *entry) { SelectControl(EntryId(entry)); });
}

void MainWindow::SelectControl(int id)
{
    ::SelectControl(id, *this, *this);
}

void MainWindow::helpContents()
{
    Add_XR dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        AddEnteredAddress(*this, dialog.AddressText());
}

void MainWindow::helpIndex()
{
    RemoveXR dialog(this, this);
    dialog.exec();
}

void MainWindow::SendVersionKey()
{
    SendPanelKey(kVersionKey);
}

// An older recorder keeps a name for its disk; a newer one keeps files, and
// the line shows where the clicked segment was cut from.
void MainWindow::ShowDiskInformation()
{
    if (legacyFirmware == 1) {
        QString name;
        DiskNameSense(name);
        segment.EdDiskName->setText(name);
        segment.textLabel1_3->setText(QStringLiteral("Disk name :"));
    } else {
        segment.EdDiskName->clear();
        segment.textLabel1_3->setText(QStringLiteral("Created from :"));
    }
}

void MainWindow::ResetForNewDevice()
{
    MClearClipList(true);
    MClearPlaylist(true);
    for (int row = server.TableFileList->rowCount() - 1; row >= 0; --row)
        server.TableFileList->removeRow(row);
    recPlayMode = -1;
    pbR_pressed();
    control.pbLock->setChecked(false);
    control.pbOption->setChecked(false);
    lastShownFileName.clear();
    pbUpdateListFile_pressed();
}
