// SPDX-License-Identifier: GPL-3.0-or-later
#include "recorderstate.h"

quint16 deviceType = 0;
quint8 timerMode = 0;
std::array<quint8, 4> currentTime{};
std::array<quint8, 10> statusBytes{};
quint8 editPresetArmed = 0;
qint32 recPlayMode = kNoSideChosen;
quint8 legacyFirmware = 0;
QString versionText;
quint8 pelletDevice = 0;
