#include "mainwindow.h"

void MainWindow::MenuUp() {}

void MainWindow::MenuDown() {}

void MainWindow::DoMenu() {}

void MainWindow::OnToggle() {}

void MainWindow::DoMinus() {}

void MainWindow::DoPlusPlus() {}

void MainWindow::OnPbEscClicked() {}

void MainWindow::OnPbEnter() {}

void MainWindow::OnPbRecallPressed() {}

void MainWindow::pbSav_pressed() {}

void MainWindow::FileBrowserKey(quint8) {}
