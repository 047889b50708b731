// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/common/keytable.h"

#include <QDialog>

#include <vector>

// "Shortcuts": every key of the panel with its picture and the keyboard key
// that presses it, page by page. A key whose keyboard key another key of its
// page holds is drawn with that key, marked as shared.
class FormShortcuts : public QDialog
{
    Q_OBJECT

public:
    FormShortcuts(const std::vector<KeyInfo> &keys, QWidget *parent = nullptr);
};
