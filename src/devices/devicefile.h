// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

class QIODevice;

// The file of networked recorders (xr.cfg): one dotted IPv4 address per
// line. The program writes addresses without leading zeros and ends every
// line with CR LF; it reads lines ended by LF, CR LF or a lone CR, the last
// one possibly without an end, and accepts zero-padded addresses
// (192.168.001.020) and an address followed by a '#' comment too. The file
// is the operator's: a line the program cannot read as an address is
// written back exactly as it was read.

// Lines shorter than this cannot hold an address ("1.2.3.4" is the shortest);
// they name no recorder.
constexpr int kMinDeviceLineLength = 7;

// The longest line that names a recorder. A longer line names none: cut
// short it would still be taken for a recorder, but for none the user wrote.
constexpr int kMaxDeviceLineLength = 255;

// Every line of the file's contents, in file order, as text (each byte one
// Latin-1 character, so nothing in the file can fail to decode). The end of
// the contents ends a last line that is not empty.
QStringList ReadDeviceLines(QIODevice &in);

// The lines of the file at path; none when it is missing or unreadable.
QStringList ReadDeviceFile(const QString &path);

// Whether a line names a recorder: 7 to 255 characters, whatever they are.
// Other lines (blank, short, overlong) are kept as they are.
bool IsDeviceLine(const QString &line);

// The address a recorder line gives (host order): a dotted IPv4 address,
// alone or followed by blanks or a '#' comment; 0 (0.0.0.0) for anything else.
quint32 DeviceLineAddress(const QString &line);

// The line to write back for a recorder named by `line`: its address without
// leading zeros followed by what followed the address ("192.168.001.020 # A"
// gives "192.168.1.20 # A"); a line that gives 0.0.0.0 exactly as it was.
QString DeviceLineToSave(const QString &line);

// Writes the lines, each ended by CR LF, to the file at path. The file is
// replaced by a complete new one where its folder allows a new file; in a
// folder that does not, it is overwritten in place and put back as it was
// when the new contents do not fit whole. Returns whether the file holds the
// new lines; on failure `error` says why.
bool WriteDeviceFile(const QString &path, const QStringList &lines, QString *error = nullptr);

// Dotted decimal IPv4 to a host-order address. Each of the four parts is one
// to three decimal digits up to 255; leading zeros are decimal, not octal.
// Blanks around the address are allowed. Anything else gives 0 (0.0.0.0).
quint32 ParseIPv4(const QString &text);

// "a.b.c.d" without leading zeros.
QString FormatIPv4(quint32 address);

// Whether a datagram to the address can reach one recorder: not 0.0.0.0
// (which the host takes for itself), not the broadcast address and no
// multicast group.
bool IsUnicastIPv4(quint32 address);
