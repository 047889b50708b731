// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QtGlobal>

// The longest a format is watched: past it, a recorder that still shows
// "Format" on its display is taken to be stuck, and the watch ends with the
// format's outcome unknown. A program setting (QSettings of organisation and
// application "tavrel", so ~/.config/tavrel/tavrel.conf on Linux):
//
//   [disks]
//   formatLimitSeconds=7200
//
// Two hours unless set; a value that is not a whole number of seconds above
// zero counts as not set, and a year is the most it can be.
inline const QString kFormatLimitKey = QStringLiteral("disks/formatLimitSeconds");
constexpr quint64 kDefaultFormatLimitSeconds = 2 * 60 * 60;

quint64 FormatLimitMs();
