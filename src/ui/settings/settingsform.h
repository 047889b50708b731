// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settingsfields.h"

#include <vector>

class QComboBox;
class QSpinBox;
class QTabWidget;
class QWidget;
class SettingsImage;

// The fields of the settings dialog, one tab per page, built from the field
// table: each field a combo box or a spin box named item_<page>_<n>, named for
// screen readers by its label. It turns page bytes into widget states and
// back, and gives the widget states a .ddf file stores.
class SettingsForm
{
public:
    explicit SettingsForm(QTabWidget *tabs);

    // Page bytes to widgets (after a read from the recorder) and back
    // (before a write). Pages the recorder did not describe are skipped: their
    // fields keep what they show, their bytes what they hold.
    void ShowPages(const SettingsImage &image);
    void CollectPages(SettingsImage &image) const;

    // Replaces the "Compression Ratio" choices; the selection falls back to
    // "Undefined" until the next ShowPages.
    void SetCompressionChoices(std::vector<Choice> choices);

    // The widget states in .ddf line order: combo indices and spin values.
    std::vector<int> DdfValues() const;
    // Sets them back. A combo index outside its list leaves the combo as it
    // is; a spin value outside its range is limited to it.
    void SetDdfValues(const std::vector<int> &values);

    QWidget *FieldWidget(const SettingsField &field) const;

private:
    struct Entry
    {
        const SettingsField *field;
        QComboBox *combo = nullptr;
        QSpinBox *spin = nullptr;
    };

    void BuildTab(QTabWidget *tabs, int page, const char *label);
    const std::vector<Choice> &ChoicesOf(const SettingsField &field) const;
    const Entry &EntryOf(const SettingsField &field) const;
    static void Fill(QComboBox *combo, const std::vector<Choice> &choices);

    std::vector<Entry> entries; // in the order of SettingsFields()
    std::vector<Choice> compression;
};
