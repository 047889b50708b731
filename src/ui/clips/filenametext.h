// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// A recorder's file name as the operator sees it. Names come from the
// recorder as eight raw bytes, and a faulty or foreign recorder may send any
// byte: printable ASCII is shown as it is, every other byte (and the
// backslash) as \xNN in upper-case hex, so nothing invisible or misleading
// reaches the window and two different names never look alike.
QString ShownFileName(const QString &name);

// Whether the name a current file sense gave is a loaded file: the recorder
// answers no name when none is loaded, or its placeholder "XXX...".
bool NamesLoadedFile(const QString &name);
