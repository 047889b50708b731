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

    Result parse(const QStringList &arguments);
    const SimConfig &config() const { return m_config; }
    bool verbose() const { return m_verbose; }
    // The help text on Exit, the reason on Error.
    QString message() const { return m_message; }

private:
    SimConfig m_config;
    bool m_verbose = false;
    QString m_message;
};

} // namespace xrsim
