#include "mainwindow.h"

void MainWindow::pbScan_clicked() {}

void MainWindow::pbFormat_pressed() {}

void MainWindow::pbFormat_released() {}

// The hidden Apply key does what the shown one does.
void MainWindow::pbApply_pressed()
{
    pbApply2_clicked();
}

void MainWindow::pbApply2_clicked() {}

void MainWindow::pbApplyRecordSettings_clicked() {}

void MainWindow::TableBus1_pressed(int) {}

void MainWindow::TableBus2_pressed(int) {}

void MainWindow::TableBus1_clicked(int) {}

void MainWindow::TableBus2_clicked(int) {}
