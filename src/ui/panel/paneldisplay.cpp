// SPDX-License-Identifier: GPL-3.0-or-later
#include "paneldisplay.h"

#include "devices/devicerecord.h"
#include "displaylines.h"
#include "protocol/commandengine.h"
#include "protocol/recorderstate.h"
#include "ui/common/paneltheme.h"
#include "ui/common/recordersession.h"
#include "ui/common/widgetfactory.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProgressBar>

#include <algorithm>
#include <cstring>

namespace {

constexpr int kLineWidth = 20;
constexpr int kWordWidth = 7; // the transport word at the end of the lower line

// The lower line drops to the small font when the text would not fit the
// large one.
constexpr int kLargeTextLimit = 13;
constexpr int kLargePointSize = 14;
constexpr int kSmallPointSize = 10;

// The recorder's meters show twelve segments; the levels run to 15.
constexpr int kMeterSteps = 12;

struct Meter
{
    QProgressBar *PanelDisplay::*bar;
    const char *name;
    const char *accessibleName;
};

const Meter kMeters[] = {
    {&PanelDisplay::A1, "A1", "Audio level 1"}, {&PanelDisplay::A2, "A2", "Audio level 2"},
    {&PanelDisplay::A3, "A3", "Audio level 3"}, {&PanelDisplay::A4, "A4", "Audio level 4"},
    {&PanelDisplay::A5, "A5", "Audio level 5"}, {&PanelDisplay::A6, "A6", "Audio level 6"},
    {&PanelDisplay::A7, "A7", "Audio level 7"}, {&PanelDisplay::A8, "A8", "Audio level 8"},
};

// The recorder's display shows byte 0xA5 as a raised dot (the play word uses
// it). Every other byte is taken as Latin-1.
constexpr char kDisplayDot = static_cast<char>(0xA5);
constexpr char16_t kMiddleDot = 0x00B7;

QString DisplayString(const char *bytes, int length)
{
    QString text;
    text.reserve(length);
    for (int i = 0; i < length && bytes[i] != '\0'; ++i)
        text += bytes[i] == kDisplayDot ? QChar(kMiddleDot) : QChar::fromLatin1(bytes[i]);
    return text;
}

// Fills a display line with blanks and copies the text to its start, up to
// its first NUL and at most 20 bytes: a recorder pads its texts with zeros,
// and a zero inside the line would end the shown text there, hiding the
// transport word at the end of the lower line.
void FillLine(std::array<char, 21> &line, const QByteArray &text)
{
    line.fill(' ');
    line[kLineWidth] = '\0';
    const int length = std::min<int>(qstrnlen(text.constData(), text.size()), kLineWidth);
    std::memcpy(line.data(), text.constData(), length);
}

void SetTextIfChanged(QLineEdit *line, const QString &text)
{
    if (line->text() != text)
        line->setText(text);
}

// Data bytes first .. first + count - 1 of the last reply, never past the
// bytes the reply announced.
QByteArray ReplyBytes(int first, int count)
{
    QByteArray bytes;
    for (int i = first; i < first + count && i < ReplyDataCount(); ++i)
        bytes += static_cast<char>(ReplyData(i));
    return bytes;
}

} // namespace

PanelDisplay::PanelDisplay(RecorderSession &session, QWidget *parent)
    : QGroupBox(parent), session(session)
{
    setObjectName(QStringLiteral("buttonGroup4"));
    setProperty("display", true);
    auto *row = new QHBoxLayout(this);
    row->addLayout(NewDisplayLines(this, "lineLCD1", "lineLCD3", lineLCD1, lineLCD3), 1);
    row->addWidget(BuildMeters());
    Describe(lineLCD1, "Display upper line");
    Describe(lineLCD3, "Display lower line");
    ApplyDisplayFonts(lineLCD1, lineLCD3);
    FillLine(timeLine, QByteArray());
    FillLine(menuLine, QByteArray());
    FillLine(timecodeTemplate, kInitialTimeLine);
}

QWidget *PanelDisplay::BuildMeters()
{
    auto *box = new QWidget(this);
    auto *grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(3);
    grid->setVerticalSpacing(1);
    int channel = 0;
    for (const Meter &entry : kMeters) {
        auto *meter = NewNamed<QProgressBar>(box, entry.name);
        meter->setOrientation(Qt::Vertical);
        meter->setRange(0, kMeterSteps);
        meter->setValue(0);
        meter->setTextVisible(false);
        meter->setFixedWidth(9);
        Describe(meter, entry.accessibleName);
        this->*entry.bar = meter;
        QLabel *label = NewLabel(box, (QByteArray("textLabel") + entry.name).constData());
        label->setProperty("meterLabel", true);
        meterLabels[channel] = label;
        grid->addWidget(meter, 0, channel, Qt::AlignHCenter);
        grid->addWidget(label, 1, channel, Qt::AlignHCenter);
        ++channel;
    }
    return box;
}

void PanelDisplay::languageChange()
{
    for (std::size_t channel = 0; channel < meterLabels.size(); ++channel)
        meterLabels[channel]->setText(QLatin1String(kMeters[channel].name));
}

std::array<QProgressBar *, 8> PanelDisplay::Meters() const
{
    return {A1, A2, A3, A4, A5, A6, A7, A8};
}

void PanelDisplay::SetSecondLines(QLineEdit *upper, QLineEdit *lower)
{
    lineLCD2 = upper;
    lineLCD4 = lower;
    ApplyDisplayFonts(lineLCD2, lineLCD4);
}

void PanelDisplay::CopyToSecondLines()
{
    lineLCD2->setText(lineLCD1->text());
    lineLCD4->setText(lineLCD3->text());
}

QString PanelDisplay::TimeLine() const
{
    return DisplayString(timeLine.data(), kLineWidth);
}

QString PanelDisplay::MenuLine() const
{
    return DisplayString(menuLine.data(), kLineWidth);
}

QString PanelDisplay::TimecodeTemplate() const
{
    return DisplayString(timecodeTemplate.data(), kLineWidth);
}

QLineEdit *PanelDisplay::UpperLine() const
{
    return session.CurrentPage() == 0 ? lineLCD1 : lineLCD2;
}

QLineEdit *PanelDisplay::LowerLine() const
{
    return session.CurrentPage() == 0 ? lineLCD3 : lineLCD4;
}

void PanelDisplay::WriteTimeLine(const QByteArray &text)
{
    if (session.KeypadEntryActive())
        return;
    FillLine(timeLine, text);
    SetTextIfChanged(UpperLine(), TimeLine());
}

void PanelDisplay::WriteMenuLine(const QByteArray &text)
{
    FillLine(menuLine, text);
    const DeviceRecord *device = session.Device();
    if (device)
        ShowLowerLine(!device->silentUpdate);
}

void PanelDisplay::WriteFuncString(const QByteArray &word)
{
    if (!session.Device() || session.PanelModeActive())
        return;
    const QByteArray shownWord = word.left(kWordWidth);
    std::memcpy(menuLine.data() + kLineWidth - shownWord.size(), shownWord.constData(),
                shownWord.size());
    ShowLowerLine(true);
}

// The lower line is shown without its leading and trailing blanks, in the
// font its length calls for.
void PanelDisplay::ShowLowerLine(bool repaint)
{
    const QString shown = MenuLine().trimmed();
    SetLowerLineFont(shown.size());
    if (repaint)
        SetTextIfChanged(LowerLine(), shown);
}

void PanelDisplay::SetLowerLineFont(int length)
{
    const int pointSize = length > kLargeTextLimit ? kSmallPointSize : kLargePointSize;
    if (lineLCD3->font().pointSize() == pointSize)
        return;
    QFont font = lineLCD3->font();
    font.setPointSize(pointSize);
    lineLCD3->setFont(font);
    lineLCD4->setFont(font);
}

// The recorder sends its time as BCD frames, seconds, minutes and hours, with
// flag bits in the digits' unused high bits: bit 6 of the frames marks drop
// frame, and bit 7 of the hours (50 Hz) or of the seconds (60 Hz) marks the
// second field.
void PanelDisplay::ShowTimecode(const std::array<quint8, 4> &time)
{
    if (session.PanelModeActive())
        return;
    const quint8 frames = time[0];
    const quint8 seconds = time[1];
    const quint8 minutes = time[2];
    const quint8 hours = time[3];
    const auto digit = [](int value) { return static_cast<char>('0' + value); };
    char *t = timecodeTemplate.data();
    t[2] = digit((hours >> 4) & 7);
    t[3] = digit(hours & 0x0F);
    t[5] = digit((minutes >> 4) & 7);
    t[6] = digit(minutes & 0x0F);
    t[8] = digit((seconds >> 4) & 7);
    t[9] = digit(seconds & 0x0F);
    t[10] = (frames & 0x40) ? ';' : '.';
    t[11] = digit((frames >> 4) & 3);
    t[12] = digit(frames & 0x0F);
    const quint8 fieldByte = FiftyHzRecorder() ? hours : seconds;
    t[15] = (fieldByte & 0x80) ? '2' : '1';
    WriteTimeLine(QByteArray(t, kLineWidth));
}

// The version check: a reply that names the "V1" generation shows its
// version; a later one decides from two version digits whether the firmware
// is of the older kind, which keeps a disk name instead of files.
void PanelDisplay::ShowVersionReply()
{
    const quint8 d0 = ReplyData(0);
    if (ReplyData(1) != 'V' && ReplyData(2) != '1') {
        legacyFirmware = 0;
        return;
    }
    if (d0 == '1') {
        WriteMenuLine("V" + ReplyBytes(0, 4));
        return;
    }
    legacyFirmware = (ReplyData(4) < '4' || ReplyData(6) < '4') ? 1 : 0;
    WriteMenuLine(ReplyBytes(1, kLineWidth));
}

// A display reply: data byte 0 holds the column in its low six bits, bit 6
// chooses the lower line, and a clear bit 7 tells that the recorder left its
// menu. The text follows in the remaining data bytes.
void PanelDisplay::ShowDisplayReply()
{
    quint8 placement = ReplyData(0);
    if (!(placement & 0x80)) {
        if (!session.Device())
            return;
        session.LeavePanelModes();
        placement |= 0x80;
    }
    const int column = placement & 0x3F;
    const QByteArray text = ReplyBytes(1, std::max(ReplyDataCount() - 1, 0));
    QByteArray line(kLineWidth, ' ');
    line.replace(std::min(column, kLineWidth), text.size(), text);
    line.truncate(std::min<int>(column + text.size(), kLineWidth));
    if ((placement & 0xC0) == 0x80)
        WriteTimeLine(line);
    else
        WriteMenuLine(line);
}

void PanelDisplay::ShowMeters(const std::array<quint8, 8> &levels)
{
    const std::array<QProgressBar *, 8> meters = Meters();
    for (std::size_t channel = 0; channel < meters.size(); ++channel) {
        QProgressBar *meter = meters[channel];
        const int value = std::min<int>(levels[channel], meter->maximum());
        if (meter->value() != value)
            meter->setValue(value);
    }
}
