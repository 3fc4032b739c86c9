#include "fixture_files.h"

#include "jet4/format/utf8_codec.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace jet4::test {

std::filesystem::path fixture(const std::string& relativePath)
{
    return std::filesystem::path(TARVOLYN_FIXTURES_DIR) / relativePath;
}

std::vector<std::filesystem::path> allFixtures()
{
    std::vector<std::filesystem::path> files;
    for (const char* folder : {"jet3", "jet4"})
        for (const auto& entry : std::filesystem::directory_iterator(fixture(folder)))
            if (entry.path().extension() == ".mdb") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

PatchedFile::PatchedFile(const std::string& fixturePath)
    : m_bytes(readBytes(fixture(fixturePath)))
    , m_pageSize(fixturePath.starts_with("jet3/") ? 2048 : 4096)
{
}

PatchedFile& PatchedFile::u8(std::size_t offset, std::uint8_t value)
{
    m_bytes.at(offset) = value;
    return *this;
}

PatchedFile& PatchedFile::u16(std::size_t offset, std::uint16_t value)
{
    u8(offset, static_cast<std::uint8_t>(value));
    return u8(offset + 1, static_cast<std::uint8_t>(value >> 8));
}

PatchedFile& PatchedFile::u32(std::size_t offset, std::uint32_t value)
{
    u16(offset, static_cast<std::uint16_t>(value));
    return u16(offset + 2, static_cast<std::uint16_t>(value >> 16));
}

PatchedFile& PatchedFile::truncate(std::size_t length)
{
    m_bytes.resize(length);
    return *this;
}

std::size_t PatchedFile::pageStart(std::uint32_t page) const
{
    return page * m_pageSize;
}

std::size_t PatchedFile::rowOffsetWord(std::uint32_t page, unsigned row) const
{
    return pageStart(page) + 14 + 2 * std::size_t{row};
}

std::size_t PatchedFile::rowStart(std::uint32_t page, unsigned row) const
{
    const std::size_t word = rowOffsetWord(page, row);
    return pageStart(page) + ((m_bytes.at(word) | (m_bytes.at(word + 1) << 8)) & 0x1FFF);
}

std::size_t PatchedFile::findUnique(const std::vector<std::uint8_t>& pattern) const
{
    const auto first = std::search(m_bytes.begin(), m_bytes.end(), pattern.begin(), pattern.end());
    EXPECT_NE(first, m_bytes.end()) << "pattern not found";
    if (first == m_bytes.end()) return 0;
    EXPECT_EQ(std::search(first + 1, m_bytes.end(), pattern.begin(), pattern.end()), m_bytes.end())
        << "pattern occurs twice";
    return static_cast<std::size_t>(first - m_bytes.begin());
}

std::string utf8(std::u16string_view text)
{
    return jet4::utf8::fromUtf16(text);
}

std::vector<Row> rowsOf(const Table& table)
{
    std::vector<Row> rows(table.rowCount());
    for (std::size_t r = 0; r < table.rowCount(); ++r)
        for (std::size_t c = 0; c < table.columnCount(); ++c) {
            const std::optional<std::u16string_view> cell = table.cell(r, c);
            rows[r].push_back(cell ? std::optional<std::string>(utf8(*cell)) : std::nullopt);
        }
    return rows;
}

std::vector<std::string> columnNamesOf(const Table& table)
{
    std::vector<std::string> names;
    for (const Column& column : table.columns())
        names.push_back(column.name);
    return names;
}

} // namespace jet4::test
