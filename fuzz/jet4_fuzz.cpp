// Opens any byte buffer as a database, lists its tables and reads every cell of each. The reader
// may refuse the input with jet4::Error; anything else (a crash, a sanitizer report, another
// exception, a hang) is a finding.
#include "jet4/reader.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// System tables whose columns the user tables of the samples lack: long values, binary, GUIDs and
// moved rows.
constexpr std::array<std::string_view, 4> SystemTables{"MSysObjects", "MSysACEs", "MSysAccessStorage", "MSysNameMap"};

void readTable(const jet4::Database& database, std::string_view name)
{
    try {
        const jet4::Table table = database.readTable(name, u',');
        for (std::size_t row = 0; row < table.rowCount(); ++row)
            for (std::size_t column = 0; column < table.columnCount(); ++column)
                (void)table.cell(row, column);
    } catch (const jet4::Error&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    try {
        const jet4::Database database = jet4::Database::fromBytes(std::vector<std::uint8_t>(data, data + size), "fuzz");
        for (const std::string& name : database.tableNames())
            readTable(database, name);
        for (std::string_view name : SystemTables)
            readTable(database, name);
    } catch (const jet4::Error&) {
    }
    return 0;
}
