#include "mainwindow.h"

#include "devices/connectionselection.h"
#include "dlgabout.h"
#include "formshortcuts.h"
#include "sendsony9pcommand.h"

void MainWindow::helpAboutAction_activated()
{
    DlgAbout dialog(this);
    dialog.exec();
}

void MainWindow::helpShortcutsAction_activated()
{
    FormShortcuts dialog(this);
    dialog.exec();
}

// A frame typed by hand could upset a running Delay mode; the dialog stays
// closed while one holds the recorder.
void MainWindow::SendManual9P_activated()
{
    if (DelayModeHoldsDevice())
        return;
    SendSony9PCommand dialog(this);
    dialog.exec();
}
