// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// Status values shared by the links, the command engine and the command set.
// Every operation that talks to a recorder reports one of these (commands add
// a few of their own); there are no exceptions in this code base.
constexpr qint16 kStatusOk = 0;
constexpr qint16 kStatusNoReply = 2;     // no reply in time, or device marked disconnected
constexpr qint16 kStatusBadChecksum = 3; // a reply arrived but its checksum is wrong
constexpr qint16 kStatusLinkError = -36; // the transport failed
