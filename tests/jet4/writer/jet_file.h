#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

// A small, separate reading of a Jet 4 file for the writer's structure tests: pages, data rows,
// usage maps and index leaves as the format notes describe them. It trusts nothing: any field
// that points outside the file fails the test through an exception.
class JetFile {
public:
    static constexpr std::size_t PageSize = 4096;

    explicit JetFile(std::vector<std::uint8_t> bytes);

    [[nodiscard]] std::size_t pageCount() const { return m_bytes.size() / PageSize; }
    [[nodiscard]] std::span<const std::uint8_t> page(std::uint32_t number) const;
    [[nodiscard]] std::uint16_t u16(std::uint32_t page, std::size_t offset) const;
    [[nodiscard]] std::uint32_t u32(std::uint32_t page, std::size_t offset) const;

    // Rows of a data page as [start, end) offsets, in row-number order.
    [[nodiscard]] std::vector<std::pair<std::size_t, std::size_t>> rowBounds(std::uint32_t page) const;
    [[nodiscard]] std::span<const std::uint8_t> row(std::uint32_t page, std::size_t row) const;
    // The pages a usage map row (inline or reference) marks.
    [[nodiscard]] std::set<std::uint32_t> usageMap(std::uint32_t pgRow) const;
    // Entries of an index leaf page, split where its entry mask says they end.
    [[nodiscard]] std::vector<std::vector<std::uint8_t>> leafEntries(std::uint32_t page) const;
    // The 128 header bytes from 0x18 with the RC4 key stream removed.
    [[nodiscard]] std::vector<std::uint8_t> clearHeader() const;
    // A table definition joined across its pages.
    [[nodiscard]] std::vector<std::uint8_t> definition(std::uint32_t page) const;

private:
    std::vector<std::uint8_t> m_bytes;
};
