// The layout checks of a written file: maps, row offsets, free space, global map, header,
// counts and the catalog indexes, read with a separate minimal parser (JetFile).

#include "file_contents.h"
#include "jet4/write/database_writer.h"
#include "jet_file.h"
#include "sample_text.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace {

constexpr std::uint32_t CatalogDefinition = 2;
constexpr std::uint32_t AcesDefinition = 3;
constexpr std::uint32_t CatalogRows = 14;
constexpr std::uint32_t AceRows = 15;

struct StructureCase {
    std::string name;
    std::function<jet4::DatabaseWriter()> make;
};

jet4::DatabaseWriter writerWith(const std::vector<std::string>& columns, const Rows& rows)
{
    jet4::DatabaseWriter writer(columns);
    for (const auto& row : rows)
        writer.addRow(row);
    return writer;
}

// A row of about 2.6 KB: one per page, so the page count follows the row count.
jet4::DatabaseWriter onePagePerRow(std::size_t rows)
{
    jet4::DatabaseWriter writer({"A", "B", "C", "D", "E"});
    const std::vector<std::string> row(5, cyrillic(255));
    for (std::size_t i = 0; i < rows; ++i)
        writer.addRow(row);
    return writer;
}

jet4::DatabaseWriter wideTable()
{
    std::vector<std::string> columns;
    columns.reserve(60);
    for (int i = 0; i < 60; ++i)
        columns.push_back("Column with a rather long name number " + std::to_string(1000 + i) + " abcdefghi");
    jet4::DatabaseWriter writer(columns);
    std::vector<std::string> row(columns.size());
    for (std::size_t i = 0; i < 20; ++i) {
        row[i] = "value " + std::to_string(i);
        writer.addRow(row);
    }
    return writer;
}

const std::vector<StructureCase>& cases()
{
    static const std::vector<StructureCase> all{
        {"TwoRows",
         [] {
             return writerWith({"Rus", "Eng"}, {{"Привет", "Hello"}, {"73", ""}});
         }},
        {"NoRows",
         [] {
             return writerWith({"Rus", "Eng"}, {});
         }},
        {"ThousandsOfRows", [] { return writerWith(languageColumns(), phraseRows(3000)); }},
        {"FullPages", [] { return writerWith({"A"}, Rows(std::size_t{3} * 255, {"a"})); }},
        {"WideDefinition", wideTable},
        // Past 512 pages the inline maps grow; past 16 256 pages the table's maps no longer fit
        // their page and become reference maps with bitmap pages.
        {"LongInlineMaps", [] { return onePagePerRow(3000); }},
        {"ReferenceMaps", [] { return onePagePerRow(16300); }},
    };
    return all;
}

std::uint32_t dictDefinitionPage(const JetFile& file)
{
    // The catalog row named Dict: Name is variable slot 0 of MSysObjects.
    for (const auto& [start, end] : file.rowBounds(CatalogRows)) {
        const auto row = file.page(CatalogRows).subspan(start, end - start);
        const std::size_t trailer = row.size() - 3 - 2 - std::size_t{2} * 11 - 2;
        const std::size_t nameStart =
            row[trailer + 2 + std::size_t{2} * 10] | (row[trailer + 2 + std::size_t{2} * 10 + 1] << 8);
        const std::size_t nameEnd =
            row[trailer + 2 + std::size_t{2} * 9] | (row[trailer + 2 + std::size_t{2} * 9 + 1] << 8);
        const std::u16string dict = u"Dict";
        if (nameEnd - nameStart == 2 * dict.size() &&
            std::memcmp(row.data() + nameStart, dict.data(), 2 * dict.size()) == 0)
            return row[2] | (row[3] << 8) | (row[4] << 16) | (std::uint32_t{row[5]} << 24);
    }
    throw std::runtime_error("no catalog row Dict");
}

class WriterStructure : public testing::TestWithParam<StructureCase> {
protected:
    void SetUp() override
    {
        m_writer = std::make_unique<jet4::DatabaseWriter>(GetParam().make());
        m_file = std::make_unique<JetFile>(m_writer->build());
        m_tdef = dictDefinitionPage(*m_file);
    }

    std::unique_ptr<jet4::DatabaseWriter> m_writer;
    std::unique_ptr<JetFile> m_file;
    std::uint32_t m_tdef = 0;
};

TEST_P(WriterStructure, DataPagesAreExactlyTheOwnedMapWithConsistentRows)
{
    const JetFile& file = *m_file;
    const std::vector<std::uint8_t> definition = file.definition(m_tdef);
    auto u32 = [&](std::size_t at) {
        return definition[at] | (definition[at + 1] << 8) | (definition[at + 2] << 16) |
               (std::uint32_t{definition[at + 3]} << 24);
    };
    ASSERT_LE(u32(8), definition.size()) << "definition length past its pages";
    EXPECT_EQ(definition[u32(8) - 2], 0xFF);
    EXPECT_EQ(definition[u32(8) - 1], 0xFF);

    std::set<std::uint32_t> dataPages;
    std::size_t rows = 0;
    std::uint32_t lastPage = 0;
    for (std::uint32_t p = 0; p < file.pageCount(); ++p) {
        if (file.page(p)[0] != 0x01 || file.u32(p, 4) != m_tdef) continue;
        dataPages.insert(p);
        lastPage = p;
        const auto bounds = file.rowBounds(p);
        ASSERT_LE(bounds.size(), 255u);
        std::size_t lowest = 4096;
        for (std::size_t i = 0; i < bounds.size(); ++i) {
            ASSERT_LT(bounds[i].first, bounds[i].second) << "page " << p; // no empty or overlapping row
            ASSERT_EQ(bounds[i].second, lowest) << "page " << p;          // back to back
            ASSERT_EQ(file.u16(p, 14 + 2 * i) & 0xC000, 0) << "flagged row";
            lowest = bounds[i].first;
        }
        rows += bounds.size();
        EXPECT_EQ(file.u16(p, 2), lowest - (14 + 2 * bounds.size())) << "free space of page " << p;
    }
    EXPECT_EQ(file.usageMap(u32(0x37)), dataPages);
    EXPECT_EQ(u32(0x10), rows) << "row count in the table definition";
    EXPECT_EQ(rows, m_writer->rowCount());

    // Only the last data page may be offered for new rows, and it must be when it has plenty of room.
    const std::set<std::uint32_t> freeMap = file.usageMap(u32(0x3B));
    if (!freeMap.empty()) {
        EXPECT_EQ(freeMap, std::set<std::uint32_t>{lastPage});
    }
    if (!dataPages.empty() && file.rowBounds(lastPage).size() < 255 && file.u16(lastPage, 2) >= 200) {
        EXPECT_FALSE(freeMap.empty());
    }
}

TEST_P(WriterStructure, GlobalMapMarksExactlyThePagesOfTheFileAsUsed)
{
    const JetFile& file = *m_file;
    const auto global = file.row(1, 0);
    ASSERT_EQ(global[0], 0x00) << "inline global map expected for this size";
    const std::size_t bits = 8 * (global.size() - 5);
    ASSERT_GE(bits, file.pageCount());
    EXPECT_EQ((global.size() - 5) % 4, 0u);
    for (std::size_t page = 0; page < bits; ++page) {
        const bool free = global[5 + page / 8] & (1u << (page % 8));
        ASSERT_EQ(free, page >= file.pageCount()) << "page " << page;
    }
    EXPECT_EQ(file.u16(1, 2), file.rowBounds(1).back().first - (14 + 2 * 2));
}

TEST_P(WriterStructure, HeaderHasNoKeyAndAnEmptyPassword)
{
    const std::vector<std::uint8_t> clear = m_file->clearHeader();
    EXPECT_EQ(std::vector<std::uint8_t>(clear.begin() + (0x3E - 0x18), clear.begin() + (0x42 - 0x18)),
              std::vector<std::uint8_t>(4, 0));
    double date = 0;
    std::memcpy(&date, clear.data() + (0x72 - 0x18), sizeof date);
    const auto day = static_cast<std::uint32_t>(static_cast<std::int32_t>(date));
    for (std::size_t i = 0; i < 40; ++i)
        ASSERT_EQ(clear[0x42 - 0x18 + i], static_cast<std::uint8_t>(day >> (8 * (i % 4)))) << "password byte " << i;

    // Outside the masked region the header is the blank's.
    const std::vector<std::uint8_t> blank = readBytes(JET4_BLANK_FILE);
    ASSERT_EQ(blank.size(), 65536u);
    const auto header = m_file->page(0);
    for (std::size_t i = 0; i < 4096; ++i) {
        if (i < 0x18 || i >= 0x98) {
            ASSERT_EQ(header[i], static_cast<std::uint8_t>(blank[i])) << "header byte " << i;
        }
    }
}

TEST_P(WriterStructure, CatalogIndexesListEveryCatalogRowInKeyOrder)
{
    const JetFile& file = *m_file;
    // MSysObjects: ParentIdName (leaf 7) and Id (leaf 8); MSysACEs: ObjectId (leaf 9).
    struct Index {
        std::uint32_t leaf;
        std::uint32_t definition;
        std::uint32_t dataPage;
        std::size_t block;
    };
    for (const Index index : {Index{7, CatalogDefinition, CatalogRows, 0}, Index{8, CatalogDefinition, CatalogRows, 1},
                              Index{9, AcesDefinition, AceRows, 0}}) {
        const auto entries = file.leafEntries(index.leaf);
        EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end())) << "leaf " << index.leaf;
        EXPECT_TRUE(std::adjacent_find(entries.begin(), entries.end()) == entries.end());
        const std::size_t rows = file.rowBounds(index.dataPage).size();
        EXPECT_EQ(entries.size(), rows) << "leaf " << index.leaf;
        EXPECT_EQ(file.u32(index.definition, 0x10), rows);
        std::set<std::vector<std::uint8_t>> keys;
        std::set<std::size_t> rowsSeen;
        for (const auto& entry : entries) {
            keys.emplace(entry.begin(), entry.end() - 4);
            const std::uint32_t page =
                (entry[entry.size() - 4] << 16) | (entry[entry.size() - 3] << 8) | entry[entry.size() - 2];
            EXPECT_EQ(page, index.dataPage);
            rowsSeen.insert(entry.back());
        }
        EXPECT_EQ(rowsSeen.size(), rows) << "every row indexed once, leaf " << index.leaf;
        EXPECT_EQ(file.u32(index.definition, 0x3F + 12 * index.block + 4), keys.size()) << "distinct keys";
    }
}

TEST_P(WriterStructure, NewTableGetsTheAccessEntriesOfTheTablesContainer)
{
    const JetFile& file = *m_file;
    std::multiset<std::vector<std::uint8_t>> containerSids;
    std::multiset<std::vector<std::uint8_t>> tableSids;
    for (const auto& [start, end] : file.rowBounds(AceRows)) {
        const auto row = file.page(AceRows).subspan(start, end - start);
        const std::uint32_t objectId = row[2] | (row[3] << 8) | (row[4] << 16) | (std::uint32_t{row[5]} << 24);
        const std::size_t sidStart = row[row.size() - 5] | (row[row.size() - 4] << 8);
        const std::size_t sidEnd = row[row.size() - 7] | (row[row.size() - 6] << 8);
        const std::vector<std::uint8_t> sid(row.begin() + static_cast<std::ptrdiff_t>(sidStart),
                                            row.begin() + static_cast<std::ptrdiff_t>(sidEnd));
        if (objectId == 0x0F000001) containerSids.insert(sid);
        if (objectId == m_tdef) tableSids.insert(sid);
    }
    EXPECT_FALSE(tableSids.empty());
    EXPECT_EQ(tableSids, containerSids);
}

TEST(WriterStructureSizes, PagesHoldAtMost255RowsAndFillUpToThatCount)
{
    jet4::DatabaseWriter writer({"A"});
    for (int i = 0; i < 2 * 255 + 1; ++i)
        writer.addRow({"a"});
    const JetFile file(writer.build());
    std::vector<std::size_t> perPage;
    for (std::uint32_t p = 16; p < file.pageCount(); ++p)
        if (file.page(p)[0] == 0x01 && file.u32(p, 4) == 16) perPage.push_back(file.rowBounds(p).size());
    EXPECT_EQ(perPage, (std::vector<std::size_t>{255, 255, 1}));
}

TEST(WriterStructureSizes, ReferenceMapsTakeOverPastWhatOnePageOfInlineMapsCovers)
{
    const JetFile inlineFile(onePagePerRow(3000).build());
    const JetFile referenceFile(onePagePerRow(16300).build());
    EXPECT_EQ(inlineFile.row(17, 0)[0], 0x00);
    EXPECT_GT(inlineFile.row(17, 0).size(), 69u) << "an inline map longer than the 64-byte bitmap";
    EXPECT_EQ(referenceFile.row(17, 0)[0], 0x01);
    EXPECT_EQ(referenceFile.row(17, 0).size(), 69u);
}

TEST(WriterStructureSizes, SameInputGivesTheSameBytesAndTheTimestampIsKept)
{
    auto make = [](std::chrono::sys_seconds time) {
        jet4::DatabaseWriter writer({"Rus", "Eng"});
        writer.setTimestamp(time);
        for (const auto& row : phraseRows(500))
            writer.addRow({row[0], row[2]});
        return writer.build();
    };
    const std::chrono::sys_seconds time{std::chrono::seconds{1700000000}};
    const std::vector<std::uint8_t> first = make(time);
    EXPECT_EQ(first, make(time));
    const std::vector<std::uint8_t> later = make(time + std::chrono::days{1});
    EXPECT_NE(first, later);

    double date = 0;
    const std::vector<std::uint8_t> clear = JetFile(first).clearHeader();
    std::memcpy(&date, clear.data() + (0x72 - 0x18), sizeof date);
    EXPECT_DOUBLE_EQ(date, 25569.0 + 1700000000.0 / 86400.0);
}

TEST(WriterStructureSizes, GlobalMapBecomesAReferenceMapForFilesOver32032Pages)
{
    const JetFile file(onePagePerRow(32100).build());
    const auto global = file.row(1, 0);
    ASSERT_EQ(global[0], 0x01);
    const std::set<std::uint32_t> free = file.usageMap(1 << 8);
    ASSERT_FALSE(free.empty());
    EXPECT_EQ(*free.begin(), file.pageCount()) << "first free page is the end of the file";
    // Bits run to the end of the last bitmap page, and the bitmap pages themselves are in use.
    constexpr std::size_t BitsPerPage = std::size_t{4092} * 8;
    const std::size_t covered = (file.pageCount() + BitsPerPage - 1) / BitsPerPage * BitsPerPage;
    EXPECT_EQ(*free.rbegin(), covered - 1);
    EXPECT_EQ(free.size(), covered - file.pageCount());
    EXPECT_EQ(file.page(static_cast<std::uint32_t>(file.pageCount() - 1))[0], 0x05);
}

INSTANTIATE_TEST_SUITE_P(Files, WriterStructure, testing::ValuesIn(cases()),
                         [](const auto& testCase) { return testCase.param.name; });

} // namespace
