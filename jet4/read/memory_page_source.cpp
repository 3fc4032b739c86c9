#include "memory_page_source.h"

#include "parse_error.h"

namespace jet4 {

MemoryPageSource::MemoryPageSource(std::vector<std::uint8_t> bytes)
    : m_bytes(std::move(bytes))
{
}

std::uint64_t MemoryPageSource::size() const
{
    return m_bytes.size();
}

std::span<const std::uint8_t> MemoryPageSource::read(std::uint64_t offset, std::size_t length,
                                                     std::vector<std::uint8_t>&) const
{
    if (offset > m_bytes.size() || length > m_bytes.size() - offset) throw FileTruncated();
    return std::span<const std::uint8_t>(m_bytes).subspan(static_cast<std::size_t>(offset), length);
}

} // namespace jet4
