// SPDX-License-Identifier: GPL-3.0-or-later
// What a recorder says about itself and shows on its display, through the
// real window: the information block (kind, video standard, compression),
// the version text and the version key, the display texts of the front-panel
// keys (the file browser's included) and a polling tick, whose replies draw
// the time, the transport word and the meters.
//
// Input: a setup byte (bit 0: serial line; bits 1-2: the failures already
// counted on the link), a byte for the number of steps (1-4), each step as
// two bytes (what is done, a parameter), then the arrival script
// (support/arrivals.h).
//
// Properties, besides no crash, no read out of bounds and no hang: the kind
// and sub-kind are those the decoding knows and the bit-rate text is a
// terminated text of its tables; the firmware flag is 0 or 1; the display
// keeps two lines of 20 characters and never shows more than that.

#include "fuzzapplication.h"
#include "fuzzcheck.h"
#include "fuzzinput.h"
#include "scriptedlinks.h"
#include "virtualtime.h"

#include "devices/connectionselection.h"
#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "protocol/recorderinfo.h"
#include "protocol/recorderstate.h"
#include "ui/panel/controlpage.h"
#include "ui/panel/mainwindow.h"
#include "ui/panel/paneldisplay.h"
#include "ui/panel/panelmodes.h"

#include <QApplication>
#include <QLineEdit>
#include <QSet>

#include <cstdint>
#include <cstring>

namespace {

constexpr int kMaxSteps = 4;
constexpr int kLineWidth = 20;

enum class Step : quint8 { InformationBlock, DeviceKind, PanelKey, PollingTick, Count };

// The window lives as long as the process, as it does in the program.
struct Fixture
{
    MainWindow window;
    ScriptedRecorders recorders;
};

Fixture &TheFixture()
{
    EnsureApplication<QApplication>();
    static auto *fixture = new Fixture;
    return *fixture;
}

// Every text the bit-rate tables hold, and the empty one of a recorder that
// never described itself.
const QSet<QString> &BitRateTexts()
{
    static const QSet<QString> texts = [] {
        QSet<QString> all{QString()};
        for (qint32 kind = kRecorderKindUnknown; kind <= kRecorderKindCompactHd; ++kind) {
            for (qint32 subKind = kRecorderSubKindNone; subKind <= kRecorderSubKindHd; ++subKind) {
                for (int code = 0; code < 256; ++code)
                    all.insert(BitRateText(kind, subKind, quint8(code)));
            }
        }
        return all;
    }();
    return texts;
}

bool KnownBitRateText(const DeviceRecord &device)
{
    const auto &text = device.bitRateText;
    const char *end = static_cast<const char *>(std::memchr(text.data(), 0, text.size()));
    return end && BitRateTexts().contains(QString::fromLatin1(text.data(), int(end - text.data())));
}

void CheckRecorderInformation(const DeviceRecord &device)
{
    const qint32 kind = device.recorderKind;
    FUZZ_CHECK(kind == kRecorderKindUnknown || kind == kRecorderKindZaxo ||
               kind == kRecorderKindMpeg || kind == kRecorderKindXru || kind == kRecorderKindHdtv ||
               kind == kRecorderKindCompactHd);
    FUZZ_CHECK(device.recorderSubKind >= kRecorderSubKindNone &&
               device.recorderSubKind <= kRecorderSubKindHd);
    FUZZ_CHECK(KnownBitRateText(device));
}

void CheckDisplay(MainWindow &window)
{
    FUZZ_CHECK(window.TimeLine().size() == kLineWidth);
    FUZZ_CHECK(window.MenuLine().size() == kLineWidth);
    const PanelDisplay &display = *window.control->display;
    FUZZ_CHECK(display.lineLCD1->text().size() <= kLineWidth);
    FUZZ_CHECK(display.lineLCD3->text().size() <= kLineWidth);
    FUZZ_CHECK(legacyFirmware <= 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Fixture &fixture = TheFixture();
    MainWindow &window = fixture.window;
    FuzzInput in(data, size);
    const quint8 setup = in.Byte();
    const int stepCount = 1 + in.Byte() % kMaxSteps;
    quint8 steps[kMaxSteps][2] = {};
    for (int i = 0; i < stepCount; ++i) {
        steps[i][0] = in.Byte();
        steps[i][1] = in.Byte();
    }
    const bool datagrams = !(setup & 1);
    fixture.recorders.Begin(setup, ReadArrivals(in, datagrams));
    DeviceRecord &device = fixture.recorders.Current();
    LeavePanelModes(device);

    for (int i = 0; i < stepCount && CurrentDevice; ++i) {
        switch (static_cast<Step>(steps[i][0] % quint8(Step::Count))) {
        case Step::InformationBlock:
            RecorderInfoRead();
            break;
        case Step::DeviceKind:
            DetectDeviceKind(window);
            break;
        case Step::PanelKey:
            window.SendPanelKey(steps[i][1]);
            break;
        case Step::PollingTick:
        case Step::Count:
            window.DoIdle();
            break;
        }
        CheckRecorderInformation(device);
        CheckDisplay(window);
    }
    fixture.recorders.End();
    return 0;
}
