#include "terminationsignals.h"
#include "ui/panel/mainwindow.h"

#include <QApplication>

#include <memory>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    TerminationSignals terminationSignals;
    auto window = std::make_unique<MainWindow>();
    window->show();
    QObject::connect(&app, &QApplication::lastWindowClosed, &app, &QApplication::quit);
    const int exitCode = QApplication::exec();
    // The window's destructor writes xr.cfg and releases the recorders.
    window.reset();
    return exitCode;
}
