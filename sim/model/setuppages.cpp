// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/setuppages.h"

namespace xrsim {

namespace {

// Factory settings, page by page.
constexpr std::array<std::array<quint8, SetupPages::kSize>, SetupPages::kCount> kFactory = {{
    {0, 0, 0, 0, 0, 0, 0, 0x50, 0, 0, 0, 0, 0, SetupPages::kRecorderAndPlayer},
    {0, 0, 1, 0, 0, 0},
    {4, 4, 0, 0, 0, 2, 0, 0},
    {8, 128, 128, 128, 128, 128, 128, 128, 0, 0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0x01, 0x2C, 0, 0},
    {0, 5, 0},
    {7, 10, 16, 1, 0},
    {},
    {5, 0, 0, 0, 0, 8, 1, 0},
    {0, 0, 0, 0, 0, 0, 0, 0},
    {1, 19, 1, 19, 0},
}};

} // namespace

SetupPages::SetupPages() : stored(kFactory), active(kFactory) {}

QByteArray SetupPages::Read(int page) const
{
    const Page &bytes = stored.at(size_t(page));
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), kSize);
}

bool SetupPages::Write(int page, const QByteArray &bytes)
{
    if (!Exists(page) || bytes.size() > kSize)
        return false;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        stored[size_t(page)][size_t(i)] = quint8(bytes.at(i));
    return true;
}

bool SetupPages::Apply(int page)
{
    if (!Exists(page))
        return false;
    active[size_t(page)] = stored[size_t(page)];
    return true;
}

quint8 SetupPages::Active(Field field) const
{
    return active[size_t(field.page)][size_t(field.byte)];
}

void SetupPages::Set(Field field, quint8 value)
{
    stored[size_t(field.page)][size_t(field.byte)] = value;
    active[size_t(field.page)][size_t(field.byte)] = value;
}

} // namespace xrsim
