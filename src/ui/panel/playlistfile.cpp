#include "mainwindow.h"

void MainWindow::DoNew() {}

void MainWindow::DoOpen() {}

void MainWindow::DoSave() {}

void MainWindow::DoSaveAs() {}

// Asked before the program ends; true lets it end. Without a playlist
// document there is nothing to lose.
bool MainWindow::closePrompt()
{
    return true;
}

void MainWindow::DeletePlaylistDocument() {}
