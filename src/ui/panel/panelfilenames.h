// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

struct DeviceRecord;

// File names on the panel's display: the file browser shows a recorder's
// file on the lower line, and the upper line says whether a name typed or
// proposed there is free.

inline constexpr char kNameAvailable[] = "[AVAILABLE]";
inline constexpr char kNameUsed[] = "[ALREADY USED]";

// What the upper line says of a name: "[AVAILABLE]" when the recorder has no
// file of that name, "[ALREADY USED]" when it has one, and nothing when it
// did not answer the question.
QByteArray FileNameAnswer(const QString &name);

// Keeps the name the browser shows (at most eight characters) as the one
// Enter acts on.
void KeepPanelFileName(DeviceRecord &device, const QByteArray &name);

// The eight characters whose last four the digit keys scroll: the name the
// lower line shows without the " Loaded" mark, cut to eight characters or
// filled up with zeros.
QString NameForDigits(const QString &shown);
