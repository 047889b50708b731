// SPDX-License-Identifier: GPL-3.0-or-later
// Device Description Files (.ddf): the input is a recorder kind byte (it
// decides the choices of "Compression Ratio") and then the file. A file the
// reader accepts goes into the settings dialog's fields, as Open puts it
// there, and the fields are written out and read back, as Save and Open do.
//
// Properties: the text of the values read gives those values again; no field
// takes a value outside its widget (a combo index within its list, a spin
// value within its range); and the fields written and read back are the same
// fields.

#include "fuzzapplication.h"
#include "fuzzcheck.h"
#include "fuzzinput.h"

#include "protocol/recorderinfo.h"
#include "ui/settings/ddffile.h"
#include "ui/settings/settingsfields.h"
#include "ui/settings/settingsform.h"

#include <QApplication>
#include <QComboBox>
#include <QSpinBox>
#include <QTabWidget>

#include <cstdint>
#include <iterator>

namespace {

struct RecorderKind
{
    qint32 kind;
    qint32 subKind;
};

constexpr RecorderKind kKinds[] = {
    {kRecorderKindUnknown, kRecorderSubKindNone}, {kRecorderKindZaxo, kRecorderSubKindNone},
    {kRecorderKindMpeg, kRecorderSubKindNone},    {kRecorderKindXru, kRecorderSubKindSd},
    {kRecorderKindXru, kRecorderSubKindHd},       {kRecorderKindHdtv, kRecorderSubKindNone},
    {kRecorderKindCompactHd, kRecorderSubKindHd},
};

SettingsForm &Form()
{
    EnsureApplication<QApplication>();
    static auto *tabs = new QTabWidget;
    static auto *form = new SettingsForm(tabs);
    return *form;
}

void CheckWithinWidgets(const SettingsForm &form, const std::vector<int> &values)
{
    const std::vector<const SettingsField *> &fields = DdfFields();
    FUZZ_CHECK(values.size() == fields.size());
    for (size_t i = 0; i < fields.size(); ++i) {
        QWidget *widget = form.FieldWidget(*fields[i]);
        if (const auto *spin = qobject_cast<QSpinBox *>(widget)) {
            FUZZ_CHECK(values[i] >= spin->minimum() && values[i] <= spin->maximum());
        } else {
            const auto *combo = qobject_cast<QComboBox *>(widget);
            FUZZ_CHECK(combo && values[i] >= 0 && values[i] < combo->count());
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SettingsForm &form = Form();
    FuzzInput in(data, size);
    const RecorderKind &kind = kKinds[in.Byte() % std::size(kKinds)];
    form.SetCompressionChoices(CompressionChoices(kind.kind, kind.subKind));
    // Every case starts from the same fields: an index the file's combo
    // cannot take leaves the field as it was.
    form.SetDdfValues(std::vector<int>(DdfFields().size(), 0));

    const std::optional<std::vector<int>> values = ParseDdf(in.Rest());
    if (!values)
        return 0;
    FUZZ_CHECK(values->size() == DdfFields().size());
    FUZZ_CHECK(ParseDdf(DdfText(*values)) == values);

    form.SetDdfValues(*values);
    const std::vector<int> shown = form.DdfValues();
    CheckWithinWidgets(form, shown);

    const std::optional<std::vector<int>> saved = ParseDdf(DdfText(shown));
    FUZZ_CHECK(saved == shown);
    form.SetDdfValues(*saved);
    FUZZ_CHECK(form.DdfValues() == shown);
    return 0;
}
