#include "server/simlog.h"

Q_LOGGING_CATEGORY(lcSim, "xrsim", QtInfoMsg)
