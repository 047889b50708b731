// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "wire/frame.h"

namespace xrsim {

class RecorderModel;

// A command handler takes the recorder and the received frame and returns
// the reply frame.
using CommandHandler = Frame (*)(RecorderModel &, const Frame &);

struct Command
{
    quint8 group;
    quint8 code;
    const char *name;
    CommandHandler handler;
};

// The command the recorder knows under this group and code, or null.
const Command *FindCommand(quint8 group, quint8 code);

} // namespace xrsim
