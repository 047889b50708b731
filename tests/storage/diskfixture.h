// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modalanswers.h"
#include "recorderfixture.h"

#include "ui/storage/diskactions.h"

#include "link/timing.h"

#include <QLabel>
#include <QTableWidget>
#include <QTimer>

#include <memory>

// The disk actions on two plain tables against a simulated recorder on the
// test's own loopback address, with the message boxes answered and the frames
// stamped with the time they reached the recorder.
class DiskFixture
{
public:
    explicit DiskFixture(const char *address) : recorder(address)
    {
        stamps.setInterval(10);
        QObject::connect(&stamps, &QTimer::timeout, [this] { Stamp(); });
    }

    bool Start(const xrsim::Scenario &scenario)
    {
        if (!recorder.Start(scenario))
            return false;
        actions = std::make_unique<DiskActions>(&bus1, &bus2, nullptr);
        stamps.start();
        return true;
    }

    BusTables &Tables() { return actions->Tables(); }

    QList<QByteArray> Frames() { return recorder.Frames(); }

    // When frame `index` reached the recorder, by the program's clock (as
    // close as the 10 ms stamping allows).
    quint32 StampOf(int index)
    {
        Stamp();
        return times.value(index);
    }

    // The frames of one kind, by their first two bytes.
    QList<int> IndexesOf(quint8 cmd1, quint8 cmd2)
    {
        QList<int> found;
        const QList<QByteArray> frames = Frames();
        for (int i = 0; i < frames.size(); ++i) {
            if (quint8(frames[i].at(0)) == cmd1 && quint8(frames[i].at(1)) == cmd2)
                found << i;
        }
        return found;
    }

    RecorderFixture recorder;
    QTableWidget bus1;
    QTableWidget bus2;
    std::unique_ptr<DiskActions> actions;
    ModalAnswers answers;

private:
    void Stamp()
    {
        const int count = int(recorder.Frames().size());
        while (times.size() < count)
            times << NowMs();
    }

    QTimer stamps;
    QList<quint32> times;
};

// The frames every disk action starts and ends with.
inline QByteArray MaintenanceOn()
{
    return WireFrame({0x31, 0x21, 0x01});
}

inline QByteArray MaintenanceOff()
{
    return WireFrame({0x31, 0x21, 0x00});
}

inline QByteArray ModeSense(quint8 bus, quint8 id)
{
    return WireFrame({0x62, 0xC3, bus, id});
}
