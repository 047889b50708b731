#include "mainwindow.h"

void MainWindow::OnPbAddAfter() {}

void MainWindow::OnPbAddBefore() {}

void MainWindow::OnPbRemove() {}

void MainWindow::OnPbRemoveAll() {}

void MainWindow::OnPbNext() {}

void MainWindow::OnPbPrevious() {}

void MainWindow::TablePlaylist_doubleClicked(int, int) {}

void MainWindow::pbStartPlaylist_pressed() {}

void MainWindow::pbStart_pressed() {}

void MainWindow::pbPause_pressed() {}

void MainWindow::MClearPlaylist(bool) {}

void MainWindow::DoExport() {}

void MainWindow::playlistTick() {}
