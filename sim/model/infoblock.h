// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace xrsim {

class RecorderModel;

// Header word 2 of a type-3 block that asks for the information block.
constexpr quint16 kInformationRequest = 1;

// The recorder's answer to the information request (a type-3 block with
// request code 1): a 10-byte header (type 3, length 512, request code 1)
// and 512 payload bytes. Payload bytes 0-3 hold the recorder's tag, 84 its
// video standard code, 85 its compression code; the version text follows
// the tag at 4 and the disk name at 20, each NUL-padded to 16 bytes.
QByteArray InfoBlock(RecorderModel &model);

} // namespace xrsim
