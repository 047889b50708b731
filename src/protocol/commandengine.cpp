// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandengine.h"

#include "commandcodes.h"
#include "exchangereport.h"
#include "messagemonitor.h"

#include "devices/devicelists.h"
#include "devices/devicerecord.h"
#include "link/devicelink.h"
#include "link/linkstatus.h"
#include "link/timing.h"

#include <algorithm>
#include <cctype>

std::array<quint8, kReplyFrameSize> ReplyFrame{};
ExchangeObserver *exchangeObserver = nullptr;
bool pollingExchanges = false;

namespace {

constexpr quint32 kReplyRecordSizeHint = 18;
constexpr quint32 kPerDataByteMs = 16;
constexpr qint16 kFailuresBeforeDisconnect = 3;
constexpr int kMaxManualBytes = kFrameHeadSize + kMaxFrameData;

// A frame buffer: CMD1, CMD2, 16 data bytes and room for the checksum after
// a full 16 (the checksum always takes the place right after the data).
using FrameBuffer = std::array<quint8, kReplyFrameSize + 1>;

QString FormatFrameLine(const quint8 *bytes, int length)
{
    QString line = QString::asprintf("0x%02x.0x%02x", bytes[0], bytes[1]);
    for (int i = kFrameHeadSize; i < length; ++i)
        line += QString::asprintf(".0x%02x", bytes[i]);
    return line;
}

int HexNibble(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Bytes of the frame being read that have arrived, checksum included: all of
// a whole frame, what came of one that timed out.
int replyBytesRead = 0;

// Copies one exchange out for the exchange observer. Without an observer it
// does nothing at all: no time stamp, no copy.
class ExchangeWatch
{
public:
    ExchangeWatch(const quint8 *frame, quint32 length, bool manual) : observer(exchangeObserver)
    {
        if (!observer)
            return;
        report.startUs = MonotonicUs();
        report.polling = pollingExchanges;
        report.manual = manual;
        report.sentLength = static_cast<quint8>(std::min<quint32>(length, report.sent.size()));
        std::copy_n(frame, report.sentLength, report.sent.begin());
        report.recorder = CurrentDevice->name;
        active = this;
    }
    ~ExchangeWatch()
    {
        if (active == this)
            active = nullptr;
    }
    ExchangeWatch(const ExchangeWatch &) = delete;
    ExchangeWatch &operator=(const ExchangeWatch &) = delete;

    // The exchange ended; ReplyFrame holds what arrived of the reply.
    void Finish(ExchangeOutcome outcome)
    {
        if (!observer)
            return;
        report.outcome = outcome;
        report.roundTripUs = static_cast<quint32>(MonotonicUs() - report.startUs);
        TakeReply(outcome == ExchangeOutcome::SendFailed ? 0 : replyBytesRead);
        observer->OnExchange(report);
    }

    // The frame in ReplyFrame arrived during the wait of the exchange being
    // watched, if any, and was dropped.
    static void Dropped()
    {
        if (!active)
            return;
        ExchangeReport dropped = active->report;
        dropped.outcome = ExchangeOutcome::Dropped;
        const quint64 now = MonotonicUs();
        dropped.roundTripUs = static_cast<quint32>(now - dropped.startUs);
        dropped.startUs = now;
        dropped.replyLength = static_cast<quint8>(replyBytesRead);
        std::copy_n(ReplyFrame.begin(), dropped.replyLength, dropped.reply.begin());
        active->observer->OnExchange(dropped);
    }

private:
    void TakeReply(int length)
    {
        report.replyLength = static_cast<quint8>(std::clamp(length, 0, kReplyFrameSize));
        std::copy_n(ReplyFrame.begin(), report.replyLength, report.reply.begin());
    }

    static ExchangeWatch *active;
    ExchangeObserver *observer;
    ExchangeReport report;
};

ExchangeWatch *ExchangeWatch::active = nullptr;

ExchangeOutcome OutcomeOf(qint16 receiveStatus)
{
    switch (receiveStatus) {
    case kStatusOk:
        return ExchangeOutcome::Reply;
    case kStatusBadChecksum:
        return ExchangeOutcome::BadChecksum;
    default:
        return ExchangeOutcome::Timeout;
    }
}

// A frame that got no exchange: sent without waiting, or not sent at all.
void ReportUnanswered(const quint8 *frame, quint32 length, bool manual, ExchangeOutcome outcome)
{
    ExchangeWatch watch(frame, length, manual);
    replyBytesRead = 0;
    watch.Finish(outcome);
}

void ShowReplyFrame(MessageMonitor *monitor, const QString &title)
{
    if (!monitor)
        return;
    monitor->AddLine(title);
    monitor->AddLine(FormatFrameLine(ReplyFrame.data(), kFrameHeadSize + ReplyDataCount() + 1));
}

// Reads the next whole frame into ReplyFrame: CMD1, CMD2 and the byte after
// them within `waitMs`, then the rest CMD1 announces within 16 ms a byte.
// With no time left the wait ends as a timed-out one does.
qint16 ReadFrame(DeviceLink &link, qint16 record, quint32 waitMs)
{
    ReplyFrame.fill(0);
    replyBytesRead = 0;
    if (link.WaitFor(record, waitMs, 3) < 3)
        return kStatusNoReply;
    quint32 length = 3;
    link.Read(length, ReplyFrame.data(), record);
    replyBytesRead = static_cast<int>(length);
    if (length < 3)
        return kStatusNoReply;
    const int n = ReplyDataCount();
    if (n == 0)
        return kStatusOk;
    if (link.WaitFor(record, n * kPerDataByteMs, static_cast<qint16>(n)) < quint32(n))
        return kStatusNoReply;
    length = n;
    link.Read(length, ReplyFrame.data() + 3, record);
    replyBytesRead += static_cast<int>(length);
    return length < quint32(n) ? kStatusNoReply : kStatusOk;
}

void PointLinkAtCurrentDevice()
{
    DeviceLink *link = CurrentDevice->link;
    link->currentAddress = link->UseAddress(CurrentDevice->address);
}

// Sends a complete frame expecting a reply and reads that reply. Stale input
// is dropped first, and a frame arriving during the wait must fit the rule
// of the command sent, so that no other command's answer passes for its own.
qint16 Exchange(const FrameBuffer &frame, quint32 length, MessageMonitor *monitor, bool manual,
                qint16 *receiveStatus)
{
    DeviceLink *link = CurrentDevice->link;
    link->Release(kReplyRecord);
    qint16 record = kReplyRecord;
    link->AllocRecord(record, kReplyRecordSizeHint);
    ExchangeWatch watch(frame.data(), length, manual);
    const qint16 sendStatus = link->Send(length, frame.data(), kPacketTypeFrame);
    if (sendStatus != kStatusOk) {
        watch.Finish(ExchangeOutcome::SendFailed);
        return sendStatus;
    }
    *receiveStatus = ReceiveReply(record, monitor, FindCommand(frame[0] >> 4, frame[1]));
    watch.Finish(OutcomeOf(*receiveStatus));
    return kStatusOk;
}

// Sends a frame without waiting for an answer.
qint16 SendUnanswered(const FrameBuffer &frame, quint32 length, bool manual)
{
    const qint16 status = CurrentDevice->link->Send(length, frame.data(), kPacketTypeFrame);
    if (exchangeObserver)
        ReportUnanswered(frame.data(), length, manual,
                         status == kStatusOk ? ExchangeOutcome::NoReplyAwaited
                                             : ExchangeOutcome::SendFailed);
    return status;
}

// The recorder is marked disconnected: the frame is not sent.
qint16 RefuseDisconnected(const FrameBuffer &frame, quint32 length, bool manual)
{
    if (exchangeObserver)
        ReportUnanswered(frame.data(), length, manual, ExchangeOutcome::NotSent);
    return kStatusNoReply;
}

void CountOutcome(qint16 status)
{
    DeviceLink *link = CurrentDevice->link;
    if (status == kStatusOk) {
        link->errorCount = 0;
        CurrentDevice->disconnected = 0;
        return;
    }
    if (link->errorCount >= kFailuresBeforeDisconnect)
        CurrentDevice->disconnected = 1;
    ++link->errorCount;
}

} // namespace

quint8 FrameChecksum(const quint8 *frame)
{
    const int length = kFrameHeadSize + (frame[0] & 0x0F);
    quint8 sum = 0;
    for (int i = 0; i < length; ++i)
        sum += frame[i];
    return sum;
}

qint16 ReceiveReply(qint16 record, MessageMonitor *monitor, const CommandCode &sent)
{
    if (!CurrentDevice)
        return kStatusOk;
    DeviceLink *link = CurrentDevice->link;
    const quint64 start = NowMs();
    while (true) {
        const quint64 elapsed = ElapsedMs(start);
        const quint32 left =
            elapsed < link->timeoutMs ? static_cast<quint32>(link->timeoutMs - elapsed) : 0;
        const qint16 read = ReadFrame(*link, record, left);
        if (read != kStatusOk)
            return read;
        if (ReplyFits(sent, ReplyFrame[0], ReplyFrame[1]))
            break;
        ShowReplyFrame(monitor, QStringLiteral("Message dropped :"));
        ExchangeWatch::Dropped();
        link->DropPacket(record);
    }
    if (ReplyDataCount() > 0)
        link->Release(record);
    const quint8 checksum = FrameChecksum(ReplyFrame.data());
    ShowReplyFrame(monitor, QStringLiteral("Message received :"));
    return checksum == ReplyData(ReplyDataCount()) ? kStatusOk : kStatusBadChecksum;
}

qint16 Send9Pin(quint8 group, quint8 command, int count, const quint8 *data, bool expectReply)
{
    if (!CurrentDevice)
        return kStatusOk;
    if (count < 0 || count > kMaxFrameData || (count > 0 && !data))
        return kStatusLinkError;
    DeviceLink *link = CurrentDevice->link;
    quint32 ignored = 0;
    link->Poll(ignored, kReplyRecord);
    PointLinkAtCurrentDevice();

    FrameBuffer frame{};
    frame[0] = static_cast<quint8>(group * 16 + count);
    frame[1] = command;
    std::copy_n(data, count, frame.begin() + kFrameHeadSize);
    frame[kFrameHeadSize + count] = FrameChecksum(frame.data());
    quint32 length = count + 3;

    if (!expectReply)
        return SendUnanswered(frame, length, false);
    if (CurrentDevice->disconnected)
        return RefuseDisconnected(frame, length, false);
    qint16 received = kStatusOk;
    const qint16 sent = Exchange(frame, length, nullptr, false, &received);
    const qint16 status = sent != kStatusOk ? sent : received;
    CountOutcome(status);
    return status;
}

qint16 SendRawCommand(const quint8 commandBytes[2], int count, const quint8 *data, bool expectReply,
                      MessageMonitor *monitor)
{
    if (!CurrentDevice)
        return kStatusOk;
    if (count < 0 || count > kMaxFrameData || (count > 0 && !data))
        return kStatusLinkError;
    PointLinkAtCurrentDevice();

    // Bytes the typed CMD1 announces but that were not typed count as zero.
    FrameBuffer frame{};
    frame[0] = commandBytes[0];
    frame[1] = commandBytes[1];
    std::copy_n(data, count, frame.begin() + kFrameHeadSize);
    const quint8 checksum = FrameChecksum(frame.data());
    frame[kFrameHeadSize + count] = checksum;
    quint32 length = count + 3;

    if (monitor) {
        monitor->ClearLines();
        monitor->AddLine(QStringLiteral("Message sent :"));
        monitor->AddLine(FormatFrameLine(frame.data(), static_cast<int>(length)));
    }
    if (!expectReply)
        return SendUnanswered(frame, length, true);
    if (CurrentDevice->disconnected)
        return RefuseDisconnected(frame, length, true);
    qint16 received = kStatusOk;
    const qint16 sent = Exchange(frame, length, monitor, true, &received);
    return sent;
}

// Mirrors a scanf of "%02x.%02x...": each field skips blanks and takes one
// or two hex digits; a field without a digit, or a missing dot, ends it.
QByteArray ParseManualCommand(const QString &text)
{
    const QByteArray latin = text.toLatin1();
    QByteArray bytes;
    int pos = 0;
    while (bytes.size() < kMaxManualBytes) {
        while (pos < latin.size() && std::isspace(static_cast<unsigned char>(latin[pos])))
            ++pos;
        int value = 0;
        int digits = 0;
        for (; digits < 2 && pos < latin.size() && HexNibble(latin[pos]) >= 0; ++digits, ++pos)
            value = value * 16 + HexNibble(latin[pos]);
        if (digits == 0)
            break;
        bytes.append(static_cast<char>(value));
        if (pos >= latin.size() || latin[pos] != '.')
            break;
        ++pos;
    }
    return bytes;
}

bool SendManualCommand(const QString &text, MessageMonitor *monitor)
{
    const QByteArray bytes = ParseManualCommand(text);
    if (bytes.size() < kFrameHeadSize)
        return false;
    const auto *raw = reinterpret_cast<const quint8 *>(bytes.constData());
    SendRawCommand(raw, bytes.size() - kFrameHeadSize, raw + kFrameHeadSize, true, monitor);
    return true;
}
