#pragma once

#include "jet4/format/jet_layout.h"
#include "page_source.h"

#include <cstdint>
#include <span>
#include <vector>

namespace jet4 {

// Scratch memory for one page; each reader of pages keeps its own so that views do not clash.
using PageBuffer = std::vector<std::uint8_t>;

// Whole pages of one database. A file's trailing partial page does not exist for the reader.
class PageReader {
public:
    PageReader(const PageSource& source, const JetLayout& layout);

    [[nodiscard]] const JetLayout& layout() const { return m_layout; }
    [[nodiscard]] std::uint32_t pageSize() const { return m_layout.pageSize; }
    [[nodiscard]] std::uint32_t pageCount() const { return m_pageCount; }
    [[nodiscard]] std::uint64_t fileSize() const { return m_source.size(); }

    // The bytes of page `number`, which must be below pageCount(). The view lives as long as
    // `buffer` is neither reused nor destroyed.
    [[nodiscard]] std::span<const std::uint8_t> page(std::uint32_t number, PageBuffer& buffer) const;

private:
    const PageSource& m_source;
    const JetLayout& m_layout;
    std::uint32_t m_pageCount;
};

} // namespace jet4
