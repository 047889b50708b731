// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsform.h"

#include "settingsimage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>

namespace {

constexpr const char *kUndefined = "Undefined";
// Pages with more fields than this are laid out in two columns.
constexpr int kOneColumnFields = 7;

QWidget *NewFieldWidget(const SettingsField &field, QWidget *parent)
{
    QWidget *widget = nullptr;
    if (field.kind == FieldKind::Spin) {
        auto *spin = new QSpinBox(parent);
        spin->setRange(field.minimum, field.maximum);
        spin->setSingleStep(field.step);
        widget = spin;
    } else {
        widget = new QComboBox(parent);
    }
    widget->setObjectName(field.ObjectName());
    widget->setAccessibleName(QString::fromLatin1(field.label));
    if (field.toolTip)
        widget->setToolTip(QString::fromLatin1(field.toolTip));
    return widget;
}

// A disabled spin box is not written; whether the dialog itself is enabled
// does not matter.
bool SpinWritten(const QSpinBox *spin)
{
    return spin->isEnabledTo(spin->parentWidget());
}

} // namespace

SettingsForm::SettingsForm(QTabWidget *tabs)
{
    entries.reserve(SettingsFields().size());
    for (const SettingsPage &page : SettingsPages())
        BuildTab(tabs, page.page, page.tabLabel);
}

void SettingsForm::BuildTab(QTabWidget *tabs, int page, const char *label)
{
    auto *tab = new QWidget(tabs);
    tab->setObjectName(QStringLiteral("tabPage%1").arg(page));
    auto *grid = new QGridLayout(tab);
    std::vector<const SettingsField *> fields;
    for (const SettingsField &field : SettingsFields()) {
        if (field.page == page)
            fields.push_back(&field);
    }
    const int rows =
        int(fields.size()) > kOneColumnFields ? (int(fields.size()) + 1) / 2 : int(fields.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        const SettingsField &field = *fields[i];
        QWidget *widget = NewFieldWidget(field, tab);
        auto *text = new QLabel(QString::fromLatin1(field.label), tab);
        text->setBuddy(widget);
        const int row = int(i) % rows;
        const int column = int(i) / rows * 2;
        grid->addWidget(text, row, column);
        grid->addWidget(widget, row, column + 1);
        Entry entry{&field};
        entry.combo = qobject_cast<QComboBox *>(widget);
        entry.spin = qobject_cast<QSpinBox *>(widget);
        if (entry.combo)
            Fill(entry.combo, ChoicesOf(field));
        entries.push_back(entry);
    }
    grid->setRowStretch(rows, 1);
    tabs->addTab(tab, QString::fromLatin1(label));
}

void SettingsForm::Fill(QComboBox *combo, const std::vector<Choice> &choices)
{
    combo->clear();
    combo->addItem(QString::fromLatin1(kUndefined));
    for (const Choice &choice : choices)
        combo->addItem(QString::fromLatin1(choice.text));
}

const std::vector<Choice> &SettingsForm::ChoicesOf(const SettingsField &field) const
{
    return field.list == ChoiceList::Compression ? compression : field.choices;
}

const SettingsForm::Entry &SettingsForm::EntryOf(const SettingsField &field) const
{
    return entries[size_t(&field - SettingsFields().data())];
}

QWidget *SettingsForm::FieldWidget(const SettingsField &field) const
{
    const Entry &entry = EntryOf(field);
    return entry.spin ? static_cast<QWidget *>(entry.spin) : entry.combo;
}

void SettingsForm::SetCompressionChoices(std::vector<Choice> choices)
{
    compression = std::move(choices);
    for (const Entry &entry : entries) {
        if (entry.field->list == ChoiceList::Compression)
            Fill(entry.combo, compression);
    }
}

void SettingsForm::ShowPages(const SettingsImage &image)
{
    for (const Entry &entry : entries) {
        const SettingsField &field = *entry.field;
        if (!image.PageRead(field.page))
            continue;
        const quint8 *bytes = image.PageBytes(field.page);
        if (field.kind == FieldKind::Combo) {
            entry.combo->setCurrentIndex(ChoiceForByte(field, ChoicesOf(field), bytes[field.byte],
                                                       entry.combo->currentIndex()));
        } else if (field.kind == FieldKind::Spin) {
            const int value = SpinValueFromPage(field, bytes);
            const bool shown = !field.disableAboveMaximum || value <= field.maximum;
            if (field.disableAboveMaximum)
                entry.spin->setEnabled(shown);
            if (shown)
                entry.spin->setValue(value);
        }
    }
}

void SettingsForm::CollectPages(SettingsImage &image) const
{
    for (const Entry &entry : entries) {
        const SettingsField &field = *entry.field;
        if (!image.PageRead(field.page))
            continue;
        quint8 *bytes = image.PageBytes(field.page);
        if (field.kind == FieldKind::Combo)
            ByteForChoice(field, ChoicesOf(field), entry.combo->currentIndex(), &bytes[field.byte]);
        else if (field.kind == FieldKind::Spin && SpinWritten(entry.spin))
            SpinValueToPage(field, entry.spin->value(), bytes);
    }
}

std::vector<int> SettingsForm::DdfValues() const
{
    std::vector<int> values;
    for (const SettingsField *field : DdfFields()) {
        const Entry &entry = EntryOf(*field);
        values.push_back(entry.spin ? entry.spin->value() : entry.combo->currentIndex());
    }
    return values;
}

void SettingsForm::SetDdfValues(const std::vector<int> &values)
{
    const std::vector<const SettingsField *> &fields = DdfFields();
    for (size_t i = 0; i < fields.size() && i < values.size(); ++i) {
        const Entry &entry = EntryOf(*fields[i]);
        const int value = values[i];
        if (entry.spin)
            entry.spin->setValue(value);
        else if (value >= 0 && value < entry.combo->count())
            entry.combo->setCurrentIndex(value);
    }
}
