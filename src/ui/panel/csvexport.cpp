#include "mainwindow.h"

void MainWindow::ExportClipCSV_activated() {}

void MainWindow::ExportPListToCSV_activated() {}

void MainWindow::DoExportClipCSV() {}
