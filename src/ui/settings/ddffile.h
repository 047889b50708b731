// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

// Device Description Files (.ddf): one decimal number a line, one line per
// stored settings field in the order of DdfFields(): the selected choice
// index of a combo box (0 for "Undefined"), the value of a spin box.

// The text of a file: "%d\n" for each value.
QByteArray DdfText(const std::vector<int> &values);

// The values of a file's text: its non-blank lines (a CR before the LF is
// ignored), each taken as a decimal number; a line that is not one counts as
// 0. None when the number of lines is not that of a .ddf file.
std::optional<std::vector<int>> ParseDdf(const QByteArray &text);

enum class DdfRead { Ok, CannotOpen, InvalidSize };

// Reads and parses a file. A file far larger than any .ddf is refused as
// InvalidSize without being read whole.
DdfRead ReadDdf(const QString &name, std::vector<int> *values);

// Writes a file in text mode (the platform's line ends). The old file is
// replaced only once the new one is complete. False when that failed; the
// old file is then untouched.
bool WriteDdf(const QString &name, const std::vector<int> &values);

// The name a file is saved under: ".ddf" is appended unless the name
// already contains it somewhere (case-sensitive).
QString DdfFileName(const QString &given);
