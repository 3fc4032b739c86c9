#pragma once

#include "file_contents.h"
#include "jet4/read/table.h"
#include "scratch_dir.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace jet4::test {

// The Access-written sample databases, jet3/ and jet4/ under TARVOLYN_FIXTURES_DIR.
[[nodiscard]] std::filesystem::path fixture(const std::string& relativePath);
[[nodiscard]] std::vector<std::filesystem::path> allFixtures();

// A copy of a fixture's bytes with a few of them changed: how the damaged files are made.
class PatchedFile {
public:
    explicit PatchedFile(const std::string& fixturePath);

    PatchedFile& u8(std::size_t offset, std::uint8_t value);
    PatchedFile& u16(std::size_t offset, std::uint16_t value);
    PatchedFile& u32(std::size_t offset, std::uint32_t value);
    PatchedFile& truncate(std::size_t length);

    // Where a page starts and where row `row` of data page `page` starts (its flags masked off).
    [[nodiscard]] std::size_t pageStart(std::uint32_t page) const;
    [[nodiscard]] std::size_t rowStart(std::uint32_t page, unsigned row) const;
    // The offset word of a row on a Jet 4 data page.
    [[nodiscard]] std::size_t rowOffsetWord(std::uint32_t page, unsigned row) const;
    // The only place the bytes occur (the test fails if they occur never or twice).
    [[nodiscard]] std::size_t findUnique(const std::vector<std::uint8_t>& pattern) const;

    [[nodiscard]] const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
    std::size_t m_pageSize;
};

using Row = std::vector<std::optional<std::string>>;

// A table's cells in UTF-8, row by row; nullopt for NULL.
[[nodiscard]] std::vector<Row> rowsOf(const Table& table);
[[nodiscard]] std::vector<std::string> columnNamesOf(const Table& table);
[[nodiscard]] std::string utf8(std::u16string_view text);

} // namespace jet4::test
