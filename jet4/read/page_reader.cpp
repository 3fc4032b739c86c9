#include "page_reader.h"

#include "parse_error.h"

#include <algorithm>

namespace jet4 {

PageReader::PageReader(const PageSource& source, const JetLayout& layout)
    : m_source(source)
    , m_layout(layout)
    , m_pageCount(static_cast<std::uint32_t>(std::min<std::uint64_t>(source.size() / layout.pageSize, UINT32_MAX)))
{
}

std::span<const std::uint8_t> PageReader::page(std::uint32_t number, PageBuffer& buffer) const
{
    if (number >= m_pageCount) throw ParseError("page " + std::to_string(number) + " lies past the end of the file");
    return m_source.read(std::uint64_t{number} * m_layout.pageSize, m_layout.pageSize, buffer);
}

} // namespace jet4
