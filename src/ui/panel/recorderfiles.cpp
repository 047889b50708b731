#include "mainwindow.h"

#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "link/linkstatus.h"
#include "protocol/filecommands.h"

void MainWindow::pbUpdateListFile_pressed() {}

void MainWindow::pbLoadFile_pressed() {}

// A double click on a file loads it, as the Load key does.
void MainWindow::TableFileList_doubleClicked(int, int)
{
    pbLoadFile_pressed();
}

void MainWindow::pbCreateFile_2_clicked() {}

void MainWindow::pbRenameClip_clicked() {}

void MainWindow::pbDeleteFile_2_clicked() {}

// Runs on every poll of a recorder that keeps files: the title names the file
// the recorder has loaded. A name with "XXX" is the recorder's placeholder for
// no file. A failed sense leaves the title as it was.
void MainWindow::refreshLoadedFile()
{
    if (!CurrentDevice)
        return;
    QString name;
    if (CurrentFileSense(name) != kStatusOk || !CurrentDevice)
        return;
    ShowLoadedFileTitle(name);
}

void MainWindow::ShowLoadedFileTitle(const QString &name)
{
    const QString device = CurrentDevice->name;
    if (name.isEmpty() || name.contains(QLatin1String("XXX")))
        SetTitleIfChanged(QStringLiteral("Tavrel - %1 (No file Loaded).").arg(device));
    else
        SetTitleIfChanged(QStringLiteral("Tavrel - %1 (%2 Loaded).").arg(device, name));
}
