#include "practice/wronglist.h"

namespace practice {

bool WrongList::removeAt(int row)
{
    if (row < 0 || row >= m_entries.size())
        return false;
    m_entries.removeAt(row);
    return true;
}

std::optional<WrongList::Entry> WrongList::takeFront()
{
    if (m_entries.isEmpty())
        return std::nullopt;
    return m_entries.takeFirst();
}

QStringList WrongList::texts() const
{
    QStringList out;
    out.reserve(m_entries.size());
    for (const Entry &e : m_entries)
        out << e.text;
    return out;
}

QStringList WrongList::indexTexts() const
{
    QStringList out;
    out.reserve(m_entries.size());
    for (const Entry &e : m_entries)
        out << QString::number(e.index);
    return out;
}

} // namespace practice
