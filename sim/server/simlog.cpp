// SPDX-License-Identifier: GPL-3.0-or-later
#include "server/simlog.h"

Q_LOGGING_CATEGORY(lcSim, "xrsim", QtInfoMsg)
