// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simconfig.h"

#include <QStringList>

namespace xrsim {

// The simulator's command line: where to listen, the scenario file and every
// scenario setting as an option of its own (applied after the file). A bad
// option or value is an Error, which the program reports with the usage and
// exit status 2.
class CommandLine
{
public:
    enum class Result { Run, Exit, Error };

    Result Parse(const QStringList &arguments);
    const SimConfig &Config() const { return config; }
    bool Verbose() const { return verbose; }
    // The help or version text on Exit, the reason on Error.
    QString Message() const { return message; }
    // The help text, which follows the reason of an Error.
    QString Usage() const { return usage; }

private:
    SimConfig config;
    bool verbose = false;
    QString message;
    QString usage;
};

} // namespace xrsim
