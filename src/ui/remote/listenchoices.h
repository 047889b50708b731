// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QComboBox;

// The addresses a listener may take, as a list to choose from: loopback
// first, then every interface, then this machine's addresses one by one;
// `current`, stored earlier, is offered too when the machine no longer has
// it, so that it is not lost by opening a dialog. Each item's data is the
// address text, empty for loopback.
void FillListenChoices(QComboBox *combo, const QString &current);
