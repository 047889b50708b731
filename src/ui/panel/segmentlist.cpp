#include "mainwindow.h"

void MainWindow::DoCreateClip() {}

// The segment page's own keys for create, in and out.
void MainWindow::OnPbClip()
{
    DoCreateClip();
}

void MainWindow::OnPbClipIn()
{
    DoIn();
}

void MainWindow::OnPbClipOut()
{
    DoOut();
}

void MainWindow::DoCut() {}

void MainWindow::DoRenameClip() {}

void MainWindow::DoFind() {}

void MainWindow::DoRenameDisk() {}

void MainWindow::lineEdit22_2_returnPressed() {}

void MainWindow::DoGotoIn() {}

void MainWindow::DoGotoOut() {}

void MainWindow::TableClipList_clicked(int, int) {}

void MainWindow::TableClipList_doubleClicked(int, int) {}

void MainWindow::MClearClipList(bool) {}

void MainWindow::Menu_Segment_Clear_all_activated() {}

void MainWindow::DoImport() {}

void MainWindow::DoCopyToTimeline() {}

void MainWindow::DoCopyToEnd() {}

void MainWindow::DoUndo() {}

void MainWindow::DoPaste() {}
