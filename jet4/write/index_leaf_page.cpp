#include "index_leaf_page.h"

#include "page_bytes.h"
#include "write_error.h"

#include <algorithm>
#include <stdexcept>

namespace jet4::writing {

namespace {

constexpr std::size_t FreeSpaceOffset = 2;
constexpr std::size_t PrevPageOffset = 0x0C;
constexpr std::size_t PrefixLengthOffset = 0x18;
constexpr std::size_t MaskOffset = 0x1B;
constexpr std::size_t EntriesOffset = 0x1E0;
constexpr std::size_t MaskSize = EntriesOffset - MaskOffset;

} // namespace

IndexLeafPage::IndexLeafPage(std::span<std::uint8_t> page)
    : m_page(page)
{
    // Only a lone root leaf can be rewritten in place: no siblings, no shared prefix.
    if (page[0] != 0x04 || loadU16(page, PrefixLengthOffset) != 0 || loadU32(page, PrevPageOffset) != 0 ||
        loadU32(page, PrevPageOffset + 4) != 0 || loadU32(page, PrevPageOffset + 8) != 0)
        throw std::logic_error("IndexLeafPage: not a single leaf without prefix");
    const std::size_t used = PageSize - EntriesOffset - loadU16(page, FreeSpaceOffset);
    std::size_t start = 0;
    for (std::size_t end = 1; end <= used; ++end) {
        if (page[MaskOffset + end / 8] & (1u << (end % 8))) {
            m_entries.emplace_back(page.begin() + static_cast<std::ptrdiff_t>(EntriesOffset + start),
                                   page.begin() + static_cast<std::ptrdiff_t>(EntriesOffset + end));
            start = end;
        }
    }
    if (start != used) throw std::logic_error("IndexLeafPage: entry mask does not match the free space");
}

void IndexLeafPage::appendRowId(std::vector<std::uint8_t>& entry, std::uint32_t page, std::uint8_t row)
{
    entry.push_back(static_cast<std::uint8_t>(page >> 16));
    entry.push_back(static_cast<std::uint8_t>(page >> 8));
    entry.push_back(static_cast<std::uint8_t>(page));
    entry.push_back(row);
}

void IndexLeafPage::insert(std::vector<std::uint8_t> entry)
{
    m_entries.insert(std::upper_bound(m_entries.begin(), m_entries.end(), entry), std::move(entry));
    write();
}

void IndexLeafPage::write()
{
    std::size_t used = 0;
    for (const auto& entry : m_entries)
        used += entry.size();
    if (used > PageSize - EntriesOffset) throw WriteError("catalog", "index page full");

    std::fill(m_page.begin() + MaskOffset, m_page.end(), std::uint8_t{0});
    std::size_t end = 0;
    for (const auto& entry : m_entries) {
        std::copy(entry.begin(), entry.end(), m_page.begin() + static_cast<std::ptrdiff_t>(EntriesOffset + end));
        end += entry.size();
        if (end / 8 < MaskSize)
            m_page[MaskOffset + end / 8] = static_cast<std::uint8_t>(m_page[MaskOffset + end / 8] | (1u << (end % 8)));
    }
    storeU16(m_page, FreeSpaceOffset, static_cast<std::uint16_t>(PageSize - EntriesOffset - used));
}

} // namespace jet4::writing
