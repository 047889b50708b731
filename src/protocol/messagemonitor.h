// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Where the manual command path shows the frames it sent and received, one
// line of text at a time. The form behind it is the GUI's business.
class MessageMonitor
{
public:
    virtual ~MessageMonitor() = default;
    virtual void ClearLines() = 0;
    virtual void AddLine(const QString &line) = 0;
};
