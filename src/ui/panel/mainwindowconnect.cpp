// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include "devices/adddevicedialog.h"
#include "devices/connectionselection.h"
#include "devices/deviceregistry.h"
#include "devices/removedevicedialog.h"
#include "recordermenu.h"

#include <QAction>

void MainWindow::BuildRecorderMenu()
{
    recorders = new RecorderMenu(menus.connectMenu, this);
    connect(recorders->addEntry, &QAction::triggered, this, &MainWindow::helpContents);
    connect(recorders->removeEntry, &QAction::triggered, this, &MainWindow::helpIndex);
    connect(recorders, &RecorderMenu::EntryTriggered, this, &MainWindow::SelectControl);
}

void MainWindow::SelectControl(int id)
{
    ::SelectControl(id, *recorders, *this);
}

void MainWindow::helpContents()
{
    Add_XR dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        AddEnteredAddress(*recorders, dialog.AddressText());
}

void MainWindow::helpIndex()
{
    RemoveXR dialog(recorders, this);
    dialog.exec();
}
