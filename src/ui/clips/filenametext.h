// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A recorder's file name as the operator sees it. Names come from the
// recorder as eight raw bytes, and a faulty or foreign recorder may send any
// byte: printable ASCII is shown as it is, every other byte (and the
// backslash) as \xNN in upper-case hex, so nothing invisible or misleading
// reaches the window and two different names never look alike.
QString ShownFileName(const QString &name);

// Whether a name the recorder gave (the loaded file, the file a segment was
// cut from) names a file: for none it gives no name, or its placeholder
// "XXX...".
bool NamesAFile(const QString &name);
