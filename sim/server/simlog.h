// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

// Messages of the simulated recorder: each frame at debug level, malformed
// input and socket trouble at info and warning level.
Q_DECLARE_LOGGING_CATEGORY(lcSim)
