#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class QIODevice;

// The file of networked recorders (xr.cfg): one dotted IPv4 address per
// line. The program writes addresses without leading zeros and ends every
// line with CR LF; it reads lines ended by LF or CR LF, the last one possibly
// without an end, and accepts zero-padded addresses (192.168.001.020) too.

// Lines shorter than this cannot hold an address ("1.2.3.4" is the shortest)
// and are skipped; longer ones are kept even when they are no address.
constexpr int kMinDeviceLineLength = 7;

// The longest line the file may hold. A longer line is skipped whole: cut
// short it would still be taken for a recorder, but for none the user wrote.
constexpr int kMaxDeviceLineLength = 255;

// The usable lines of the file's contents, in file order, as text (each byte
// one Latin-1 character, so nothing in the file can fail to decode).
QStringList ReadDeviceLines(QIODevice &in);

// The usable lines of the file at path; none when it is missing or unreadable.
QStringList ReadDeviceFile(const QString &path);

// Writes one line per address (host byte order) to the file at path. The new
// contents go to a temporary file beside it, which replaces the file only
// once it is complete: a crash or a full disk leaves the old file whole.
// Returns whether the file was replaced.
bool WriteDeviceFile(const QString &path, const QList<quint32> &addresses);

// Dotted decimal IPv4 to a host-order address. Each of the four parts is one
// to three decimal digits up to 255; leading zeros are decimal, not octal.
// Blanks around the address are allowed. Anything else gives 0 (0.0.0.0).
quint32 ParseIPv4(const QString &text);

// "a.b.c.d" without leading zeros.
QString FormatIPv4(quint32 address);
