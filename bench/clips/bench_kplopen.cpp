// SPDX-License-Identifier: GPL-3.0-or-later
// Measures opening a playlist file of 50 segments on the real window against
// the simulated recorder on loopback: the whole Open (erasing every segment
// number, then marking and making each stored segment), and the erase alone.
// Each segment needs two cue-ups, each waited for and followed by a 300 ms
// pause before its point is marked; the figures stand next to those waits.
// Prints figures; asserts nothing.

#include "benchwindow.h"
#include "modalanswers.h"
#include "ui/clips/kplforms.h"
#include "ui/clips/playlistfile.h"
#include "ui/clips/segmentlist.h"
#include "ui/clips/segmentpage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTableWidget>

#include <cstdio>

namespace {

constexpr int kSegments = 50;
constexpr int kPauseMs = 300;
constexpr int kCueMs = 150; // the simulated recorder's cue-up time
const char kRecorderIp[] = "127.0.69.1";

// Segments of a fraction of a second each, two seconds apart (PAL fields).
QByteArray PlaylistText()
{
    KplDocument document;
    for (int n = 1; n <= kSegments; ++n) {
        SegmentRecord record;
        record.number = quint16(n);
        record.inPoint = quint32(n * 100);
        record.outPoint = quint32(n * 100 + 40);
        SetRecordName(record, "Seg-" + QByteArray::number(n));
        document.segments.push_back(record);
        document.playlist << "Seg-" + QByteArray::number(n);
    }
    return KplText(document);
}

// The whole Open, with the file chosen in its dialog; the rows it made.
double TimeOpen(BenchWindow &bench, ModalAnswers &answers, const QString &path, int &rows)
{
    answers.Choose(path);
    QElapsedTimer timer;
    timer.start();
    bench.window.segment->file->DoOpen();
    const double ms = timer.nsecsElapsed() / 1e6;
    rows = bench.window.segment->segments->TableClipList->rowCount();
    return ms;
}

double TimeErase(BenchWindow &bench)
{
    QElapsedTimer timer;
    timer.start();
    bench.window.segment->segments->eraseRecorderSegments();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchWindow bench(kRecorderIp);
    xrsim::Scenario recorder;
    recorder.files = {{QStringLiteral("CLIP0000"), 3600, 8}};
    recorder.loaded = QStringLiteral("CLIP0000");
    recorder.cueMs = kCueMs;
    if (!bench.Open(recorder))
        return 1;
    bench.IdleTimer()->stop();
    bench.window.show();
    ModalAnswers answers;
    const QString path = bench.directory.FilePath(QStringLiteral("fifty.kpl"));
    QFile file(path);
    const QByteArray text = PlaylistText();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        return 1;
    file.close();

    int rows = 0;
    const double open = TimeOpen(bench, answers, path, rows);
    const double erase = TimeErase(bench);
    const double waits = kSegments * 2.0 * (kCueMs + kPauseMs);
    const double pausesAndOneCue = kSegments * (2.0 * kPauseMs + kCueMs);
    std::printf("opening a text playlist file of %d segments (%d rows made), cue-up %d ms\n",
                kSegments, rows, kCueMs);
    std::printf("  whole Open                        %9.1f ms\n", open);
    std::printf("  erasing 2,045 numbers (alone)     %9.1f ms\n", erase);
    std::printf("  re-creating the segments          %9.1f ms  (%.1f ms a segment)\n", open - erase,
                (open - erase) / kSegments);
    std::printf("  waits: 50 x 2 x (%d + 300)        %9.1f ms  (%.1f ms a segment)\n", kCueMs,
                waits, waits / kSegments);
    std::printf("  50 x (2 x 300 + %d)               %9.1f ms\n", kCueMs, pausesAndOneCue);
    return 0;
}
