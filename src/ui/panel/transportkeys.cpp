#include "mainwindow.h"

#include "protocol/transportcommands.h"

void MainWindow::OnPbPlay() {}

void MainWindow::OnPbRecord() {}

void MainWindow::OnPbStop() {}

void MainWindow::OnPbFor() {}

void MainWindow::OnPbBack() {}

void MainWindow::pbLock_pressed() {}

void MainWindow::pbOption_pressed() {}

void MainWindow::pbEsc2_clicked() {}

void MainWindow::pbR_pressed() {}

void MainWindow::pbP_pressed() {}

void MainWindow::pbRemoteLocal_pressed() {}

void MainWindow::pbOffLtc_pressed() {}

void MainWindow::pbATTC_pressed() {}

// Abort stops the recorder at once, whatever the panel is doing.
void MainWindow::pbAbort_pressed()
{
    Stop();
}
