#include "mainwindow.h"

void MainWindow::rbJog_pressed() {}

void MainWindow::rbShuttle_pressed() {}

void MainWindow::rbSloMo_pressed() {}

void MainWindow::potent_valueChanged(int) {}

void MainWindow::slider_sliderMoved(int) {}
