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

std::span<const std::uint8_t> MemoryPageSource::read(std::uint64_t offset, std::span<std::uint8_t> scratch) const
{
    if (offset > m_bytes.size() || scratch.size() > m_bytes.size() - offset)
        throw FileTruncated();
    return std::span<const std::uint8_t>(m_bytes).subspan(static_cast<std::size_t>(offset), scratch.size());
}

} // namespace jet4
