// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "modalanswers.h"
#include "windowfixture.h"

#include "protocol/segmentcommands.h"
#include "ui/clips/playlist.h"
#include "ui/clips/segmentlist.h"
#include "ui/clips/segmentpage.h"
#include "ui/clips/segmentrows.h"

#include <QTableWidget>

#include <initializer_list>
#include <utility>

// The Segment page of the real window against a simulated recorder made from
// scenario lines ("segment = 3,00:00:01:00,00:00:02:00"), with its message
// boxes and file dialogs answered. The polling stays held (and the tests
// run its ticks) also after long work, which resumes it.
//
//   ClipsFixture clips("127.0.50.1");
//   QVERIFY2(clips.Connect({"segment = 1,00:00:01:00,00:00:02:00"}), ...);
//   clips.Segments()->DoImport();
class ClipsFixture : public WindowFixture
{
public:
    explicit ClipsFixture(const char *address) : WindowFixture(address) {}

    bool Connect(std::initializer_list<const char *> lines)
    {
        xrsim::Scenario scenario;
        for (const char *line : lines) {
            const QString text = QLatin1String(line);
            const int equals = text.indexOf(QLatin1Char('='));
            if (!scenario.Set(text.left(equals).trimmed(), text.mid(equals + 1), &error))
                return false;
        }
        if (!WindowFixture::Connect(scenario))
            return false;
        window->SuspendPolling();
        return true;
    }

    SegmentList *Segments() const { return window->segment->segments; }
    Playlist *List() const { return window->segment->playlist; }
    QTableWidget *SegmentTable() const { return Segments()->TableClipList; }
    QTableWidget *PlaylistTable() const { return List()->TablePlaylist; }

    // Reads every segment number from the recorder, as the File menu does.
    void Import() { Segments()->DoImport(); }

    // The names of the list or the playlist, top to bottom.
    static QStringList Names(const QTableWidget *table)
    {
        QStringList names;
        for (int row = 0; row < table->rowCount(); ++row)
            names << QString::fromLatin1(getCell(row, kNameCell, table));
        return names;
    }

    // What each row of the list says of its segment: number, in, out.
    QList<std::tuple<int, quint32, quint32>> Segmentation() const
    {
        QList<std::tuple<int, quint32, quint32>> rows;
        for (int row = 0; row < SegmentTable()->rowCount(); ++row) {
            const SegmentRecord record = readSegmentRecord(row, SegmentTable());
            rows << std::make_tuple(int(record.number), record.inPoint, record.outPoint);
        }
        return rows;
    }

    // The row of the segment with this name, -1 for none.
    int RowOf(const char *name) const
    {
        int row = -1;
        findName(QByteArray(name), false, row, SegmentTable());
        return row;
    }

    void SelectSegment(const char *name) { SelectOnlyRow(RowOf(name), SegmentTable()); }

    // The frames received since the last clear whose first two bytes are
    // these.
    QList<QByteArray> FramesOf(quint8 cmd1, quint8 cmd2) const
    {
        QList<QByteArray> found;
        for (const QByteArray &frame : sim.ReceivedFrames()) {
            if (frame.size() >= 2 && quint8(frame[0]) == cmd1 && quint8(frame[1]) == cmd2)
                found << frame;
        }
        return found;
    }

    void ClearFrames() { sim.ClearReceivedFrames(); }

    // Asks the recorder itself whether it holds segment `number`.
    bool RecorderHas(unsigned number) const
    {
        SegmentInfo info;
        return SegmentInfoSense(number, info);
    }

    ModalAnswers answers;
    QString error;
};

// A chain frame as the playlist sends it: group 4 with four BCD bytes.
inline QByteArray ChainFrame(quint8 command, int first, int second)
{
    const auto a = SegmentNumberBytes(unsigned(first));
    const auto b = SegmentNumberBytes(unsigned(second));
    return WireFrame({0x44, command, a[0], a[1], b[0], b[1]});
}

inline QByteArray PairFrame(int first, int next)
{
    return ChainFrame(0x97, first, next);
}

inline QByteArray StartFrame(int first)
{
    return ChainFrame(0x96, first, 0);
}
