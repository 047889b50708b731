// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// The Qt application object of a fuzz target (QCoreApplication, or
// QApplication for one with widgets), made at the first case and never
// destroyed: at exit the toolkit's own global objects go in an order that an
// application object destroyed with the statics cannot follow, and the leak
// check at exit must find the fonts and sockets it owns still reachable. The
// targets keep their windows and forms the same way.
template <typename Application>
void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static const Application *application = new Application(argc, argv);
    Q_UNUSED(application);
}
