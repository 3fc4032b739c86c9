#include "table.h"

#include <stdexcept>

namespace jet4 {

Table::Table(std::vector<Column> columns) : m_columns(std::move(columns)) {}

std::size_t Table::rowCount() const
{
    return m_columns.empty() ? 0 : m_ends.size() / m_columns.size();
}

std::optional<std::u16string_view> Table::cell(std::size_t row, std::size_t column) const
{
    const std::size_t index = row * m_columns.size() + column;
    if (column >= m_columns.size() || index >= m_ends.size())
        throw std::out_of_range("jet4::Table::cell: no such cell");
    if (m_ends[index] & NullBit)
        return std::nullopt;
    const std::size_t begin = index == 0 ? 0 : (m_ends[index - 1] & ~NullBit);
    return std::u16string_view(m_text).substr(begin, m_ends[index] - begin);
}

void Table::reserveText(std::size_t chars)
{
    m_text.reserve(chars);
}

void Table::appendCell(std::u16string_view text)
{
    std::copy(text.begin(), text.end(), beginCell(text.size()));
    endCell(text.size());
}

void Table::appendNull()
{
    m_ends.push_back(static_cast<std::uint32_t>(m_text.size()) | NullBit);
}

char16_t* Table::beginCell(std::size_t maxChars)
{
    const std::size_t begin = m_text.size();
    if (begin + maxChars >= NullBit)
        throw std::length_error("jet4::Table: text too large");
    m_text.resize(begin + maxChars);
    return m_text.data() + begin;
}

void Table::endCell(std::size_t usedChars)
{
    const std::size_t begin = m_ends.empty() ? 0 : (m_ends.back() & ~NullBit);
    m_text.resize(begin + usedChars);
    m_ends.push_back(static_cast<std::uint32_t>(m_text.size()));
}

} // namespace jet4
