#include "mainwindow.h"

void MainWindow::deviceSettingsAction_activated() {}
