// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "simconfig.h"

#include <QStringList>

namespace xrsim {

// The xrsim command line: where to listen, the scenario file and every
// scenario setting as an option of its own (applied after the file).
class CommandLine
{
public:
    enum class Result { Run, Exit, Error };

    Result Parse(const QStringList &arguments);
    const SimConfig &Config() const { return config; }
    bool Verbose() const { return verbose; }
    // The help text on Exit, the reason on Error.
    QString Message() const { return message; }

private:
    SimConfig config;
    bool verbose = false;
    QString message;
};

} // namespace xrsim
