// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Qt application object of a fuzz target (QCoreApplication, or
// QApplication for one with widgets), made at the first case and kept until
// the process ends. Objects the target makes after it go before it.
template <typename Application>
void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    static Application application(argc, argv);
}
