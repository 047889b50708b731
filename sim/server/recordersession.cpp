#include "server/recordersession.h"

#include "commands/commandtable.h"
#include "model/infoblock.h"
#include "model/recordermodel.h"
#include "server/faultinjector.h"
#include "server/framelog.h"
#include "server/simlog.h"
#include "wire/reply.h"

namespace xrsim {

RecorderSession::RecorderSession(RecorderModel &model, FrameLog &log, FaultInjector &faults)
    : m_model(model), m_log(log), m_faults(faults), m_rules(model.scenario())
{}

QByteArray RecorderSession::answer(const QByteArray &bytes)
{
    m_log.append(bytes);
    if (m_rules.silences(bytes, m_model.now())) {
        qCDebug(lcSim) << "silent to" << bytes.toHex(' ');
        return {};
    }
    Frame frame;
    if (Frame::decode(bytes, &frame) != Frame::Decoded::Ok) {
        qCInfo(lcSim) << "checksum error in" << bytes.toHex(' ');
        return reply::nak(NakCode::ChecksumError).encode();
    }
    if (const auto forced = m_faults.takeForcedReply(frame.group(), frame.code()))
        return *forced;
    if (const auto fixed = m_rules.fixedReply(bytes))
        return *fixed;
    const Command *command = findCommand(frame.group(), frame.code());
    if (!command) {
        qCInfo(lcSim) << "unknown command" << bytes.toHex(' ');
        return reply::nak(NakCode::UnknownCommand).encode();
    }
    m_model.advance();
    const QByteArray reply = command->handler(m_model, frame).encode();
    qCDebug(lcSim) << command->name << bytes.toHex(' ') << "->" << reply.toHex(' ');
    return reply;
}

QByteArray RecorderSession::answerBlock(quint16 requestCode)
{
    if (requestCode != InformationRequest) {
        qCInfo(lcSim) << "unknown block request" << requestCode;
        return {};
    }
    m_model.advance();
    return infoBlock(m_model);
}

} // namespace xrsim
