#include "mainwindow.h"

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

void MainWindow::refreshLoadedFile() {}
