// SPDX-License-Identifier: GPL-3.0-or-later
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
    : model(model), log(log), faults(faults), rules(model.ScenarioInUse())
{}

QByteArray RecorderSession::Answer(const QByteArray &bytes)
{
    log.Append(bytes);
    if (rules.Silences(bytes, model.Now())) {
        qCDebug(lcSim) << "silent to" << bytes.toHex(' ');
        return {};
    }
    Frame frame;
    if (Frame::Decode(bytes, &frame) != Frame::Decoded::Ok) {
        qCInfo(lcSim) << "checksum error in" << bytes.toHex(' ');
        return reply::Nak(NakCode::ChecksumError).Encode();
    }
    if (const auto forced = faults.TakeForcedReply(frame.Group(), frame.Code()))
        return *forced;
    if (const auto fixed = rules.FixedReply(bytes))
        return *fixed;
    const Command *command = FindCommand(frame.Group(), frame.Code());
    if (!command) {
        qCInfo(lcSim) << "unknown command" << bytes.toHex(' ');
        return reply::Nak(NakCode::UnknownCommand).Encode();
    }
    model.Advance();
    const QByteArray reply = command->handler(model, frame).Encode();
    qCDebug(lcSim) << command->name << bytes.toHex(' ') << "->" << reply.toHex(' ');
    return reply;
}

QByteArray RecorderSession::AnswerBlock(quint16 requestCode)
{
    if (requestCode != kInformationRequest) {
        qCInfo(lcSim) << "unknown block request" << requestCode;
        return {};
    }
    model.Advance();
    return InfoBlock(model);
}

} // namespace xrsim
