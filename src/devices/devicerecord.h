// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/devicelink.h"

#include <QString>
#include <QStringList>

#include <array>

// What the program keeps for each known recorder: its transport and peer,
// the failure flag the command engine sets, what the recorder said about
// itself, and the remote panel's state for it.
struct DeviceRecord
{
    DeviceRecord(DeviceLink *link, const PeerAddress &address, const QString &name);

    DeviceLink *link; // not owned: the link list owns the links

    // Panel modes of the recorder's own menu emulation.
    quint8 optionMenuMode = 0;
    quint8 menuMode = 0;
    quint8 saveMode = 0;
    quint8 delayMenuMode = 0;
    quint8 recallMode = 0;
    quint8 fileSelectMode = 0;

    quint8 disconnected = 0; // set after repeated command failures

    qint32 recorderKind = 0; // from the recorder information block
    qint32 fileAction = -1;  // what Enter does in the panel's file selection
    quint8 silentUpdate = 0;
    quint8 delayPlayPending = 0;
    quint8 delayRecording = 0;

    quint8 dropFrame = 0;
    quint32 videoStandard = 0;
    quint8 interlaced = 1;

    PeerAddress address; // all zero for a recorder on a COM port
    QString name;        // "Com1", "Com2" or "Ethernet - <address>"
    // The lines of xr.cfg right before this recorder's own that name no
    // recorder (blank, short or overlong); written back ahead of it.
    QStringList fileLinesBefore;

    std::array<char, 14> delayText{};
    quint8 panelByte = 0;
    std::array<quint8, 8> levelPeak{};
    std::array<char, 9> panelFileName{};
    // 1 once the recorder answered that no file is named panelFileName: the
    // only name under which Enter creates a file.
    quint8 panelFileAvailable = 0;
    std::array<char, 21> bitRateText{};
    qint32 recorderSubKind = 0;
};
