// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <initializer_list>

class QTableWidget;

// The look shared by the window's lists: whole rows selected, no grid, the
// last column filling the width, no editing in place (names are typed in the
// page's entry field and checked there).
void SetUpListTable(QTableWidget *table, int columns);

// Sets the column titles, one per column.
void SetHeaders(QTableWidget *table, std::initializer_list<const char *> titles);
