// Damaged and foreign files: each gives a clear error naming the file, never a crash or a hang.
#include "fixture_files.h"
#include "jet4/format/error.h"
#include "jet4/read/database.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <future>
#include <gtest/gtest.h>

namespace jet4::test {
namespace {

using namespace std::chrono_literals;

const char* const TwoColumns = "jet4/access2000-two-text-columns.mdb"; // Table: definition 23, map 24/0, rows on 31
const char* const Overflow = "jet4/access2000-overflow-rows.mdb";      // Table1: rows 2 and 4 of page 27 moved
const char* const ColumnTypes = "jet4/access2000-column-types.mdb";

// In the column-types file: the catalog column LvProp's type byte, and the header of a 16 175-byte
// LvProp value chained over pages 703-706.
constexpr std::size_t LvPropType = 0x2151;
constexpr std::size_t ChainedHeader = 0xE93C;

struct BadFile {
    std::string name;
    std::function<PatchedFile()> make; // empty: the case writes no file (see name)
    std::string table;                 // empty: opening alone fails
    std::string message;
};

std::ostream& operator<<(std::ostream& out, const BadFile& bad)
{
    return out << bad.name;
}

std::string outcome(const std::function<Database()>& open, const std::string& table)
{
    try {
        const Database database = open();
        if (!table.empty()) (void)database.readTable(table);
        return "no error";
    } catch (const Error& e) {
        return e.what();
    }
}

// Runs with a time limit: a reader that loops must fail the suite, not stall it.
std::string outcomeWithin(const std::function<Database()>& open, const std::string& table)
{
    std::future<std::string> result = std::async(std::launch::async, [&] { return outcome(open, table); });
    if (result.wait_for(20s) != std::future_status::ready) {
        ADD_FAILURE() << "the reader hangs";
        std::_Exit(EXIT_FAILURE);
    }
    return result.get();
}

class BadFiles : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadFiles, GiveAClearError)
{
    const BadFile& bad = GetParam();
    const ScratchDir scratch;
    std::filesystem::path path = scratch.path() / "damaged.mdb";
    std::vector<std::uint8_t> bytes;
    if (bad.name == "missing file")
        path = scratch.path() / "absent.mdb";
    else if (bad.name == "directory")
        path = scratch.path();
    else if (bad.name != "empty file")
        bytes = bad.make().bytes();
    if (bad.name != "missing file" && bad.name != "directory") writeBytes(path, bytes);

    const std::string fromPath = outcomeWithin([&] { return Database::open(path); }, bad.table);
    EXPECT_EQ(fromPath.rfind(path.string() + ": ", 0), 0u) << fromPath;
    EXPECT_NE(fromPath.find(bad.message), std::string::npos) << fromPath;

    if (std::filesystem::is_regular_file(path)) {
        const std::string fromMemory =
            outcomeWithin([&] { return Database::fromBytes(bytes, "dsb/x.dsb"); }, bad.table);
        EXPECT_EQ(fromMemory, "dsb/x.dsb" + fromPath.substr(path.string().size()));
    }
}

BadFile patched(std::string name, const char* file, const std::function<void(PatchedFile&)>& patch, std::string table,
                std::string message)
{
    return BadFile{std::move(name),
                   [file, patch] {
                       PatchedFile bytes(file);
                       patch(bytes);
                       return bytes;
                   },
                   std::move(table), std::move(message)};
}

std::vector<BadFile> badFiles()
{
    const auto none = [](PatchedFile&) {};
    return {
        {"missing file", {}, "", "cannot open: No such file or directory"},
        {"directory", {}, "", "cannot open: Is a directory"},
        {"empty file", {}, "", "not a Jet database"},
        patched(
            "wrong magic", TwoColumns, [](PatchedFile& f) { f.u8(4, 'X'); }, "", "not a Jet database"),
        patched(
            "unknown version byte", TwoColumns, [](PatchedFile& f) { f.u8(0x14, 0x07); }, "",
            "unknown Jet version byte 0x07"),
        patched(
            "Access 2007 file", TwoColumns, [](PatchedFile& f) { f.u8(0x14, 0x02); }, "", "Access 2007"),
        patched(
            "encrypted pages", TwoColumns, [](PatchedFile& f) { f.u8(0x3E, f.bytes()[0x3E] ^ 0x01); }, "", "encrypted"),
        patched(
            "truncated in the magic", TwoColumns, [](PatchedFile& f) { f.truncate(10); }, "", "truncated"),
        patched(
            "truncated after two pages", TwoColumns, [](PatchedFile& f) { f.truncate(8192); }, "", "truncated"),
        patched(
            "truncated before the catalog's rows", TwoColumns,
            [](PatchedFile& f) { f.truncate(std::size_t{10} * 4096); }, "",
            "corrupt page 6: usage map lists page 14, past the end of the file"),
        patched(
            "truncated before the table's definition", TwoColumns,
            [](PatchedFile& f) { f.truncate(std::size_t{20} * 4096); }, "Table",
            "the definition of table Table (page 23) lies past the end of the file"),
        patched(
            "truncated before the table's rows", TwoColumns, [](PatchedFile& f) { f.truncate(31 * 4096 + 100); },
            "Table", "page 31, past the end of the file"),
        patched(
            "Jet 3 truncated after three pages", "jet3/access97-deleted-row.mdb",
            [](PatchedFile& f) { f.truncate(std::size_t{3} * 2048); }, "", "leads to page 6, outside the file"),
        patched("catalog without the table", TwoColumns, none, "Dict", "no table Dict"),

        patched(
            "zero-length usage map row", TwoColumns, [](PatchedFile& f) { f.u16(f.rowOffsetWord(24, 0), 4096); },
            "Table", "corrupt page 24: usage map row too short"),
        patched(
            "usage map type 2", TwoColumns, [](PatchedFile& f) { f.u8(f.rowStart(24, 0), 2); }, "Table",
            "unknown usage map type 2"),
        patched(
            "usage map bit past the end", TwoColumns, [](PatchedFile& f) { f.u8(f.rowStart(24, 0) + 68, 0x80); },
            "Table", "corrupt page 24: usage map lists page 511, past the end of the file"),
        patched(
            "usage map lists another table's page", TwoColumns,
            [](PatchedFile& f) { f.u8(f.rowStart(24, 0) + 6, 0x40); }, "Table",
            "corrupt page 14: holds rows of table definition 2, not of 23"),
        patched(
            "usage bitmap that is not one", TwoColumns,
            [](PatchedFile& f) { f.u8(f.rowStart(24, 0), 1).u32(f.rowStart(24, 0) + 1, 23); }, "Table",
            "corrupt page 23: not a usage bitmap page"),
        patched(
            "row offset above the page", TwoColumns, [](PatchedFile& f) { f.u16(f.rowOffsetWord(31, 0), 0x1FF0); },
            "Table", "corrupt page 31: row 0 lies outside the page"),
        patched(
            "row offsets that decrease", TwoColumns, [](PatchedFile& f) { f.u16(f.rowOffsetWord(31, 2), 0x0FF8); },
            "Table", "corrupt page 31: row 2 lies outside the page"),
        patched(
            "variable count larger than the row", TwoColumns,
            [](PatchedFile& f) { f.u16(f.rowStart(31, 0) + 12, 0x7FFF); }, "Table",
            "corrupt page 31: row 0: variable-offset table larger than the row"),
        patched(
            "column count larger than the row", TwoColumns, [](PatchedFile& f) { f.u16(f.rowStart(31, 0), 0xFFFF); },
            "Table", "corrupt page 31: row 0: row too short for its null mask"),
        patched(
            "definition length past its pages", TwoColumns, [](PatchedFile& f) { f.u32(f.pageStart(23) + 8, 0x10000); },
            "Table", "corrupt page 23: table definition of 65536 bytes is longer than its pages"),
        patched(
            "column count 0xFFFF", TwoColumns, [](PatchedFile& f) { f.u16(f.pageStart(23) + 45, 0xFFFF); }, "Table",
            "more columns than column numbers issued"),
        patched(
            "column entries past the definition", TwoColumns,
            [](PatchedFile& f) { f.u16(f.pageStart(23) + 41, 0xFFFF).u16(f.pageStart(23) + 45, 0xFFFF); }, "Table",
            "column entries run past the end of the table definition"),
        patched(
            "column name past the definition", TwoColumns, [](PatchedFile& f) { f.u16(f.pageStart(23) + 117, 0x80); },
            "Table", "corrupt page 23: table definition too short"),
        patched(
            "column number never issued", TwoColumns, [](PatchedFile& f) { f.u16(f.pageStart(23) + 68, 0xFF); },
            "Table", "bad column number 255"),
        patched(
            "catalog id 0xFFFFFFFF", TwoColumns,
            [](PatchedFile& f) {
                f.u32(f.findUnique({0x17, 0, 0, 0, 0x01, 0, 0, 0x0F}), 0xFFFFFFFF);
            },
            "Table", "impossible id 4294967295"),
        patched(
            "catalog id of a data page", TwoColumns,
            [](PatchedFile& f) {
                f.u32(f.findUnique({0x17, 0, 0, 0, 0x01, 0, 0, 0x0F}), 31);
            },
            "Table", "corrupt page 31: not a table definition"),

        patched(
            "pointer row aimed at itself", Overflow, [](PatchedFile& f) { f.u32(f.rowStart(27, 2), 0x1B02); }, "Table1",
            "corrupt page 27: pointer row 2 does not point at a moved row"),
        patched(
            "pointer row aimed at a pointer row", Overflow, [](PatchedFile& f) { f.u32(f.rowStart(27, 2), 0x1B04); },
            "Table1", "corrupt page 27: pointer row 2 does not point at a moved row"),
        patched(
            "pointer row aimed at another table's page", Overflow,
            [](PatchedFile& f) { f.u32(f.rowStart(27, 2), 0x0E00); }, "Table1",
            "corrupt page 14: holds rows of table definition 2, not of 24"),
        patched(
            "two pointers at one moved row", Overflow, [](PatchedFile& f) { f.u32(f.rowStart(27, 4), 0x1C00); },
            "Table1", "corrupt page 27: pointer row 4 points at a row another pointer already took"),
        patched(
            "pointer row past the end", Overflow, [](PatchedFile& f) { f.u32(f.rowStart(27, 2), 0xFFFF00); }, "Table1",
            "corrupt page 27: pointer row 2 points past the end of the file"),

        patched(
            "definition pages that loop", ColumnTypes, [](PatchedFile& f) { f.u32(f.pageStart(30) + 4, 30); }, "Table2",
            "corrupt page 30: table definition of 4416 bytes is longer than its pages"),
        patched(
            "decimal scale 200", ColumnTypes,
            [](PatchedFile& f) {
                f.u8(0x180D4, 0x10).u8(0x180D4 + 11, 28).u8(0x180D4 + 12, 200).u16(0x180D4 + 23, 17);
            },
            "Table1", "bad decimal precision or scale"),
        patched(
            "fixed length that does not fit the type", ColumnTypes, [](PatchedFile& f) { f.u16(0x180D4 + 23, 4); },
            "Table1", "length that does not fit its type"),
        patched(
            "long value chain that loops", ColumnTypes,
            [](PatchedFile& f) { f.u8(LvPropType, 0x0C).u32(f.rowStart(705, 0), 703 << 8); }, "MSysObjects",
            "long value reaches page 703 row 0 a second time"),
        patched(
            "long value chain that ends early", ColumnTypes,
            [](PatchedFile& f) { f.u8(LvPropType, 0x0C).u16(ChainedHeader, 20000); }, "MSysObjects",
            "long value chain ends early"),
        patched(
            "long value length 0x3FFFFFFF", ColumnTypes,
            [](PatchedFile& f) { f.u8(LvPropType, 0x0C).u32(ChainedHeader, 0x3FFFFFFF); }, "MSysObjects",
            "long value longer than the file"),
        patched(
            "long value on a data page", ColumnTypes,
            [](PatchedFile& f) { f.u8(LvPropType, 0x0C).u32(ChainedHeader + 4, 14 << 8); }, "MSysObjects",
            "corrupt page 14: not a long-value page"),
    };
}

INSTANTIATE_TEST_SUITE_P(Damage, BadFiles, ::testing::ValuesIn(badFiles()),
                         [](const ::testing::TestParamInfo<BadFile>& param) {
                             std::string name = param.param.name;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

// With the same column read as a memo, the undamaged chain reads through.
TEST(BadFilesControl, PatchedCatalogReadsWhenItsChainsAreIntact)
{
    PatchedFile file(ColumnTypes);
    file.u8(LvPropType, 0x0C);
    const Table catalog = Database::fromBytes(file.bytes(), "memo.mdb").readTable("MSysObjects");
    EXPECT_EQ(catalog.rowCount(), 22u);
}

} // namespace
} // namespace jet4::test
