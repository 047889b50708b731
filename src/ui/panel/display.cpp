#include "mainwindow.h"

#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "displaylines.h"
#include "panelkeycodes.h"
#include "panelmodes.h"
#include "protocol/commandengine.h"
#include "protocol/recorderstate.h"
#include "protocol/transportcommands.h"

#include <QLineEdit>

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

// Fills a display line with blanks and copies at most 20 bytes of text to its
// start.
void FillLine(std::array<char, 21> &line, const QByteArray &text)
{
    line.fill(' ');
    line[kLineWidth] = '\0';
    std::memcpy(line.data(), text.constData(), std::min<size_t>(text.size(), kLineWidth));
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

void MainWindow::ResetDisplayLines()
{
    FillLine(timeLine, QByteArray());
    FillLine(menuLine, QByteArray());
    FillLine(timecodeTemplate, kInitialTimeLine);
}

QString MainWindow::TimeLine() const
{
    return DisplayString(timeLine.data(), kLineWidth);
}

QString MainWindow::MenuLine() const
{
    return DisplayString(menuLine.data(), kLineWidth);
}

QLineEdit *MainWindow::UpperLine() const
{
    return CurrentPage() == 0 ? control.lineLCD1 : segment.lineLCD2;
}

QLineEdit *MainWindow::LowerLine() const
{
    return CurrentPage() == 0 ? control.lineLCD3 : segment.lineLCD4;
}

void MainWindow::WriteTimeLine(const QByteArray &text)
{
    if (keypadEntryActive)
        return;
    FillLine(timeLine, text);
    SetTextIfChanged(UpperLine(), TimeLine());
}

void MainWindow::WriteMenuLine(const QByteArray &text)
{
    FillLine(menuLine, text);
    if (!CurrentDevice)
        return;
    const QString shown = MenuLine().trimmed();
    SetLowerLineFont(shown.size());
    if (!CurrentDevice->silentUpdate)
        SetTextIfChanged(LowerLine(), shown);
}

void MainWindow::WriteFuncString(const QByteArray &word)
{
    if (!CurrentDevice || AnyPanelMode(*CurrentDevice))
        return;
    const QByteArray shownWord = word.left(kWordWidth);
    std::memcpy(menuLine.data() + kLineWidth - shownWord.size(), shownWord.constData(),
                shownWord.size());
    const QString shown = MenuLine().trimmed();
    SetLowerLineFont(shown.size());
    SetTextIfChanged(LowerLine(), shown);
}

void MainWindow::SetLowerLineFont(int length)
{
    const int pointSize = length > kLargeTextLimit ? kSmallPointSize : kLargePointSize;
    if (control.lineLCD3->font().pointSize() == pointSize)
        return;
    QFont font = control.lineLCD3->font();
    font.setPointSize(pointSize);
    control.lineLCD3->setFont(font);
    segment.lineLCD4->setFont(font);
}

// The recorder sends its time as BCD frames, seconds, minutes and hours, with
// flag bits in the digits' unused high bits: bit 6 of the frames marks drop
// frame, and bit 7 of the hours (50 Hz) or of the seconds (60 Hz) marks the
// second field.
void MainWindow::ShowTimecode(const std::array<quint8, 4> &time)
{
    if (CurrentDeviceInPanelMode())
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

void MainWindow::SendPanelKey(quint8 key)
{
    if (key != kFileBrowserOpenKey)
        FrontPanelKey(key);
    if (key == kVersionKey)
        ShowVersionReply();
    else if (key >= kFileBrowserOpenKey && key <= kFileBrowserNextAllKey)
        FileBrowserKey(key);
    else
        ShowDisplayReply();
}

// The version check: a reply that names the "V1" generation shows its
// version; a later one decides from two version digits whether the firmware
// is of the older kind, which keeps a disk name instead of files.
void MainWindow::ShowVersionReply()
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
void MainWindow::ShowDisplayReply()
{
    quint8 placement = ReplyData(0);
    if (!(placement & 0x80)) {
        if (!CurrentDevice)
            return;
        LeavePanelModes(*CurrentDevice);
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
