#include "model/setuppages.h"

namespace xrsim {

namespace {

// Factory settings, page by page.
constexpr std::array<std::array<quint8, SetupPages::Size>, SetupPages::Count> kFactory = {{
    {0, 0, 0, 0, 0, 0, 0, 0x50, 0, 0, 0, 0, 0, SetupPages::RecorderAndPlayer},
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

SetupPages::SetupPages() : m_stored(kFactory), m_active(kFactory) {}

QByteArray SetupPages::read(int page) const
{
    const Page &bytes = m_stored.at(size_t(page));
    return QByteArray(reinterpret_cast<const char *>(bytes.data()), Size);
}

bool SetupPages::write(int page, const QByteArray &bytes)
{
    if (!exists(page) || bytes.size() > Size)
        return false;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        m_stored[size_t(page)][size_t(i)] = quint8(bytes.at(i));
    return true;
}

bool SetupPages::apply(int page)
{
    if (!exists(page))
        return false;
    m_active[size_t(page)] = m_stored[size_t(page)];
    return true;
}

quint8 SetupPages::active(Field field) const
{
    return m_active[size_t(field.page)][size_t(field.byte)];
}

void SetupPages::set(Field field, quint8 value)
{
    m_stored[size_t(field.page)][size_t(field.byte)] = value;
    m_active[size_t(field.page)][size_t(field.byte)] = value;
}

} // namespace xrsim
