#include "mainwindow.h"

void MainWindow::OnPb0() {}

void MainWindow::OnPb1() {}

void MainWindow::OnPb2() {}

void MainWindow::OnPb3() {}

void MainWindow::OnPb4() {}

void MainWindow::OnPb5() {}

void MainWindow::OnPb6() {}

void MainWindow::OnPb7() {}

void MainWindow::OnPb8() {}

void MainWindow::OnPb9() {}

void MainWindow::pbDot_pressed() {}

void MainWindow::OnPbClear() {}

void MainWindow::OnPbBksp() {}

void MainWindow::pb_Enter_clicked() {}

void MainWindow::pbIn_clicked() {}

void MainWindow::pbOut_pressed() {}

void MainWindow::pbGotoClicked() {}

void MainWindow::DoGoto() {}

void MainWindow::DoSetTC() {}

void MainWindow::DoIn() {}

void MainWindow::DoOut() {}

void MainWindow::pbTC1_clicked() {}

void MainWindow::pbTC2_clicked() {}

void MainWindow::pbTC3_clicked() {}

void MainWindow::pbTC4_clicked() {}

void MainWindow::pbCapture_clicked() {}

void MainWindow::pbLocate_clicked() {}
