// SPDX-License-Identifier: GPL-3.0-or-later
// The simulated recorder's scenario files, which users write to train on:
// the input is a scenario file. One the reader accepts starts a recorder,
// which then answers what the program asks a recorder when it connects and
// polls: the device type, version, status, time and levels, the file list,
// the loaded file, the segments, the setup pages, the disks, the panel keys
// and the information block.
//
// Properties: a file is accepted or refused with a message naming the line,
// never half-applied with a crash; the recorder it describes answers every
// frame with one well-formed frame (the length its first byte announces, a
// right checksum) or, where the scenario says so, not at all; its
// information block is a header and 512 bytes.

#include "fuzzapplication.h"
#include "fuzzcheck.h"

#include "model/recordermodel.h"
#include "model/simclock.h"
#include "scenario.h"
#include "server/faultinjector.h"
#include "server/framelog.h"
#include "server/recordersession.h"
#include "wire/frame.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QLoggingCategory>

#include <algorithm>
#include <cstdint>

namespace {

QByteArray WithChecksum(QByteArray frame)
{
    return frame + char(xrsim::Frame::Checksum(frame, int(frame.size())));
}

// What the program sends when it connects, polls and opens its pages.
QList<QByteArray> Requests(const xrsim::Scenario &scenario)
{
    QList<QByteArray> requests = {
        QByteArray("\x00\x11", 2),     // device type
        QByteArray("\x60\xB1", 2),     // version
        QByteArray("\x61\x95\x00", 3), // panel key 0: the version check
        QByteArray("\x60\x36", 2),     // timer mode
        QByteArray("\x60\xAC", 2),     // audio levels
        QByteArray("\x61\x0C\x03", 3), // time code
        QByteArray("\x61\x0C\x04", 3), // timer
        QByteArray("\x61\x20\x0A", 3), // status bytes 0-9
        QByteArray("\x61\xC1\x01", 3), // loaded file
        QByteArray("\xA0\x14", 2),     // file list
        QByteArray("\xA0\x15", 2),     // and on
        QByteArray("\xA0\x15", 2),     // and on
        QByteArray("\xA1\x15\xFF", 3), // and back
        QByteArray("\xA0\x1D", 2),     // free time
        QByteArray("\x60\xA1", 2),     // disk name
        QByteArray("\x61\xBD\x06", 3), // storage space
        QByteArray("\x61\xD2\x01", 3), // duration of the loaded file
        QByteArray("\x61\x95\x01", 3), // the menu
        QByteArray("\x61\x95\x04", 3), // its title
        QByteArray("\x61\x95\x07", 3), // the display
        QByteArray("\x61\x95\x90", 3), // Enter
        QByteArray("\x20\x01", 2),     // play
        QByteArray("\x61\x98\x00", 3), // current event
        QByteArray("\x31\x10\x01", 3), // the player side
        QByteArray("\x61\xC1\x01", 3), // its loaded file
        QByteArray("\x20\x00", 2),     // stop
    };
    for (quint8 page = 0; page <= 10; ++page)
        requests.append(QByteArray("\x61\xC0", 2) + char(page));
    for (quint8 slot = 0; slot < 6; ++slot)
        requests.append(QByteArray("\x61\xA6", 2) + char(slot));
    for (quint8 bus = 1; bus <= 2; ++bus)
        requests.append(QByteArray("\x62\xC3", 2) + char(bus) + char(0));
    QList<int> numbers = {1, 2045};
    for (const xrsim::Scenario::Segment &segment : scenario.segments)
        numbers.append(segment.number);
    for (const xrsim::Scenario::RawSegment &segment : scenario.rawSegments)
        numbers.append(segment.number);
    for (const int number : numbers.mid(0, 16)) {
        const char high = char((number / 1000) << 4 | (number / 100) % 10);
        const char low = char(((number / 10) % 10) << 4 | number % 10);
        requests.append(QByteArray("\x62\x9A", 2) + high + low);
        requests.append(QByteArray("\x62\x9B", 2) + high + low);
        requests.append(QByteArray("\x22\xA7", 2) + high + low);
    }
    for (QByteArray &request : requests)
        request = WithChecksum(request);
    return requests;
}

bool FixedByScenario(const xrsim::Scenario &scenario, const QByteArray &request)
{
    return std::any_of(scenario.answers.begin(), scenario.answers.end(),
                       [&request](const xrsim::Scenario::Answer &answer) {
                           return request.startsWith(answer.frame);
                       });
}

void CheckAnswer(const QByteArray &answer)
{
    if (answer.isEmpty())
        return;
    FUZZ_CHECK(answer.size() == xrsim::Frame::LengthFor(quint8(answer.at(0))));
    const int last = int(answer.size()) - 1;
    FUZZ_CHECK(quint8(answer.at(last)) == xrsim::Frame::Checksum(answer, last));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    EnsureApplication<QCoreApplication>();
    // The recorder reports malformed frames and scenario entries it leaves
    // out as it meets them; here they are the point.
    QLoggingCategory::setFilterRules(QStringLiteral("xrsim.info=false\nxrsim.warning=false"));

    QBuffer file;
    file.setData(reinterpret_cast<const char *>(data), int(size));
    file.open(QIODevice::ReadOnly | QIODevice::Text);
    xrsim::Scenario scenario;
    QString error;
    if (!scenario.Load(file, QStringLiteral("fuzz.scn"), &error)) {
        FUZZ_CHECK(error.startsWith(QLatin1String("fuzz.scn:")));
        return 0;
    }

    const xrsim::SimClock clock;
    xrsim::RecorderModel model(scenario, clock);
    xrsim::FrameLog log;
    xrsim::FaultInjector faults;
    xrsim::RecorderSession session(model, log, faults);
    for (const QByteArray &request : Requests(scenario)) {
        const QByteArray answer = session.Answer(request);
        if (!FixedByScenario(scenario, request))
            CheckAnswer(answer);
    }
    FUZZ_CHECK(session.AnswerBlock(1).size() == 522);
    return 0;
}
