#include "database_writer.h"

#include "blank_database.h"
#include "catalog_writer.h"
#include "data_page_writer.h"
#include "header_page.h"
#include "page_bytes.h"
#include "row_encoder.h"
#include "table_definition_writer.h"
#include "temporary_file.h"
#include "usage_map_writer.h"
#include "utf8_codec.h"
#include "write_error.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace jet4 {

using namespace writing;

namespace {

constexpr std::uint32_t MaxPages = 0x80000000u / PageSize; // Jet's 2 GB limit
constexpr std::uint32_t GlobalMapPage = 1;
constexpr double UnixEpochDay = 25569.0; // 1970-01-01 in days since 1899-12-30
constexpr double SecondsPerDay = 86400.0;

// Longest inline bitmap for which `rows` maps of equal size, plus otherRows bytes of other rows,
// still share one page.
constexpr std::size_t maxInlineBitmap(std::size_t rows, std::size_t otherRows)
{
    const std::size_t room = (PageSize - DataPageWriter::HeaderSize - 2 * rows - otherRows) / rows;
    return (room - UsageMapWriter::InlineHeaderSize) / 4 * 4;
}

// The table's two maps share a page; the global map shares page 1 with a 69-byte row.
constexpr std::size_t MaxTableInlineBitmap = maxInlineBitmap(2, 0);
constexpr std::size_t MaxGlobalInlineBitmap = maxInlineBitmap(1, 2 + 69);

bool isNameCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ';
}

std::string lowerAscii(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return text;
}

// Why Jet (or the catalog index we must keep) cannot take the name, or an empty string.
std::string nameProblem(const std::string& name, const char* what)
{
    const std::string quoted = "\"" + name + "\"";
    if (name.empty())
        return std::string("empty ") + what;
    if (!std::all_of(name.begin(), name.end(), isNameCharacter))
        return std::string(what) + " " + quoted + " may use only the letters A-Z and a-z, digits and spaces";
    if (name.size() > DatabaseWriter::MaxNameLength)
        return std::string(what) + " " + quoted + " longer than " + std::to_string(DatabaseWriter::MaxNameLength) +
               " characters";
    if (name.front() == ' ' || name.back() == ' ')
        return std::string(what) + " " + quoted + " starts or ends with a space";
    return {};
}

std::u16string toUtf16(const std::string& ascii)
{
    return {ascii.begin(), ascii.end()};
}

} // namespace

struct DatabaseWriter::State {
    State(const std::vector<std::string>& names, const std::string& table)
        : tableName(table)
        , encoder(names.size(), table)
    {
        for (const auto& name : names)
            columnNames.push_back(toUtf16(name));
    }

    std::string tableName;
    std::vector<std::u16string> columnNames;
    RowEncoder encoder;
    std::vector<std::uint8_t> rows; // every row's bytes, back to back
    std::vector<std::size_t> rowEnds;
    double date = UnixEpochDay + static_cast<double>(DefaultTimestamp.time_since_epoch().count()) / SecondsPerDay;

    [[nodiscard]] std::span<const std::uint8_t> row(std::size_t index) const
    {
        const std::size_t begin = index == 0 ? 0 : rowEnds[index - 1];
        return std::span<const std::uint8_t>(rows).subspan(begin, rowEnds[index] - begin);
    }
};

DatabaseWriter::DatabaseWriter(const std::vector<std::string>& columnNames, const std::string& tableName)
{
    if (std::string problem = nameProblem(tableName, "table name"); !problem.empty())
        throw WriteError("table name", problem);
    if (lowerAscii(tableName).starts_with("msys"))
        throw WriteError("table name", "\"" + tableName + "\": names starting with MSys belong to system tables");
    if (columnNames.empty() || columnNames.size() > MaxColumns)
        throw WriteError(tableName, "a table needs 1 to " + std::to_string(MaxColumns) + " columns, not " +
                                        std::to_string(columnNames.size()));
    for (std::size_t i = 0; i < columnNames.size(); ++i) {
        const std::string subject = tableName + ", column " + std::to_string(i + 1);
        if (std::string problem = nameProblem(columnNames[i], "column name"); !problem.empty())
            throw WriteError(subject, problem, std::nullopt, i);
        for (std::size_t j = 0; j < i; ++j) {
            if (lowerAscii(columnNames[j]) == lowerAscii(columnNames[i]))
                throw WriteError(subject,
                                 "duplicate column name \"" + columnNames[i] + "\" (same as column " +
                                     std::to_string(j + 1) + "; Jet ignores case)",
                                 std::nullopt, i);
        }
    }
    m_state = std::make_unique<State>(columnNames, tableName);
}

DatabaseWriter::DatabaseWriter(DatabaseWriter&&) noexcept = default;
DatabaseWriter& DatabaseWriter::operator=(DatabaseWriter&&) noexcept = default;
DatabaseWriter::~DatabaseWriter() = default;

void DatabaseWriter::setTimestamp(std::chrono::sys_seconds time)
{
    const double date = UnixEpochDay + static_cast<double>(time.time_since_epoch().count()) / SecondsPerDay;
    // 1900-01-01 .. 9999-12-31: dates every Jet consumer shows as such
    if (!(date >= 2.0 && date < 2958466.0))
        throw std::out_of_range("DatabaseWriter: timestamp outside the years 1900-9999");
    m_state->date = date;
}

void DatabaseWriter::addRow(const std::vector<std::string>& cells)
{
    State& s = *m_state;
    if (s.rows.size() >= std::size_t{MaxPages} * PageSize)
        throw WriteError(s.tableName, "too many rows for a Jet database (2 GB)", s.rowEnds.size());
    s.encoder.append(cells, s.rowEnds.size(), s.rows);
    s.rowEnds.push_back(s.rows.size());
}

std::size_t DatabaseWriter::rowCount() const
{
    return m_state->rowEnds.size();
}

std::vector<std::uint8_t> DatabaseWriter::build() const
{
    const State& s = *m_state;
    const std::size_t rowTotal = s.rowEnds.size();

    // Rows fill data pages in order; pageStarts holds the first row of each page.
    std::vector<std::size_t> pageStarts;
    std::size_t onPage = 0;
    std::size_t usedOnPage = 0;
    for (std::size_t i = 0; i < rowTotal; ++i) {
        const std::size_t size = s.row(i).size();
        if (pageStarts.empty() || !DataPageWriter::fits(onPage, usedOnPage, size)) {
            pageStarts.push_back(i);
            onPage = 0;
            usedOnPage = 0;
        }
        ++onPage;
        usedOnPage += size;
    }
    const bool lastPageHasRoom =
        !pageStarts.empty() && DataPageWriter::fits(onPage, usedOnPage, s.encoder.minimumRowSize());

    // Page plan: the blank, the table definition, the page holding the table's usage maps, the
    // data pages, then bitmap pages if the maps need the reference form.
    const TableDefinitionWriter definition(s.columnNames);
    const std::uint32_t definitionPage = CatalogWriter::BlankPageCount;
    const auto mapPage = static_cast<std::uint32_t>(definitionPage + definition.pageCount());
    const std::uint32_t firstDataPage = mapPage + 1;
    if (pageStarts.size() > MaxPages)
        throw WriteError(s.tableName, "too many rows for a Jet database (2 GB)");
    const auto endDataPage = static_cast<std::uint32_t>(firstDataPage + pageStarts.size());

    UsageMapWriter owned;
    owned.add(firstDataPage, endDataPage);
    UsageMapWriter freeSpace;
    if (lastPageHasRoom)
        freeSpace.add(endDataPage - 1, endDataPage);
    const std::size_t tableBitmap = UsageMapWriter::inlineBitmapSize(endDataPage);
    const bool tableMapsInline = tableBitmap <= MaxTableInlineBitmap;
    std::uint64_t nextPage = endDataPage;
    std::array<std::uint32_t, UsageMapWriter::ReferenceSlots> ownedSlots{};
    std::array<std::uint32_t, UsageMapWriter::ReferenceSlots> freeSlots{};
    if (!tableMapsInline) {
        for (std::size_t slot = 0; slot < UsageMapWriter::ReferenceSlots; ++slot) {
            if (owned.hasPagesInSlot(slot))
                ownedSlots[slot] = static_cast<std::uint32_t>(nextPage++);
            if (freeSpace.hasPagesInSlot(slot))
                freeSlots[slot] = static_cast<std::uint32_t>(nextPage++);
        }
    }

    // The global map describes every page of the file, its own bitmap pages included.
    const std::uint64_t pagesBeforeGlobal = nextPage;
    std::uint64_t pageCount = pagesBeforeGlobal;
    std::size_t globalSlots = 0;
    if (UsageMapWriter::inlineBitmapSize(static_cast<std::uint32_t>(std::min<std::uint64_t>(pageCount, MaxPages))) >
        MaxGlobalInlineBitmap) {
        for (;;) {
            pageCount = pagesBeforeGlobal + globalSlots;
            const std::size_t needed = (pageCount + UsageMapWriter::PagesPerBitmapPage - 1) / UsageMapWriter::PagesPerBitmapPage;
            if (needed == globalSlots)
                break;
            globalSlots = needed;
        }
    }
    if (pageCount > MaxPages)
        throw WriteError(s.tableName, "too many rows for a Jet database (2 GB)");
    const auto pages = static_cast<std::uint32_t>(pageCount);

    std::vector<std::uint8_t> bytes(std::size_t{pages} * PageSize);
    const std::span<std::uint8_t> file(bytes);
    const std::span<const std::uint8_t> blank = blankDatabase();
    std::copy(blank.begin(), blank.end(), bytes.begin());

    HeaderPage(pageOf(file, 0)).setCreationDate(s.date);
    CatalogWriter catalog(file);
    catalog.setDates(s.date);
    catalog.addTable(definitionPage, toUtf16(s.tableName), s.date);
    definition.write(file, definitionPage, static_cast<std::uint32_t>(rowTotal), rowPointer(mapPage, 0),
                     rowPointer(mapPage, 1));

    DataPageWriter maps(pageOf(file, mapPage), 0);
    if (tableMapsInline) {
        std::vector<std::uint8_t> row(UsageMapWriter::InlineHeaderSize + tableBitmap);
        owned.writeInline(row);
        maps.add(row);
        freeSpace.writeInline(row);
        maps.add(row);
    } else {
        std::vector<std::uint8_t> row(UsageMapWriter::ReferenceRowSize);
        UsageMapWriter::writeReference(row, ownedSlots);
        maps.add(row);
        UsageMapWriter::writeReference(row, freeSlots);
        maps.add(row);
        for (std::size_t slot = 0; slot < UsageMapWriter::ReferenceSlots; ++slot) {
            if (ownedSlots[slot] != 0)
                owned.writeBitmapPage(pageOf(file, ownedSlots[slot]), slot);
            if (freeSlots[slot] != 0)
                freeSpace.writeBitmapPage(pageOf(file, freeSlots[slot]), slot);
        }
    }

    for (std::size_t p = 0; p < pageStarts.size(); ++p) {
        DataPageWriter page(pageOf(file, firstDataPage + static_cast<std::uint32_t>(p)), definitionPage);
        const std::size_t end = p + 1 < pageStarts.size() ? pageStarts[p + 1] : rowTotal;
        for (std::size_t i = pageStarts[p]; i < end; ++i)
            page.add(s.row(i));
    }

    // Page 1: the global map (a set bit means a free page) and a second row that Jet keeps
    // there, copied as it is.
    const std::span<std::uint8_t> globalPage = pageOf(file, GlobalMapPage);
    const std::uint16_t secondRowStart = loadU16(globalPage, DataPageWriter::HeaderSize + 2);
    const std::uint16_t secondRowEnd = loadU16(globalPage, DataPageWriter::HeaderSize);
    const std::vector<std::uint8_t> secondRow(globalPage.begin() + secondRowStart, globalPage.begin() + secondRowEnd);
    std::fill(globalPage.begin(), globalPage.end(), std::uint8_t{0});
    DataPageWriter global(globalPage, GlobalMapPage);
    UsageMapWriter freePages;
    freePages.add(pages, 0xFFFFFFFFu);
    if (globalSlots == 0) {
        std::vector<std::uint8_t> row(UsageMapWriter::InlineHeaderSize + UsageMapWriter::inlineBitmapSize(pages));
        freePages.writeInline(row);
        global.add(row);
    } else {
        std::array<std::uint32_t, UsageMapWriter::ReferenceSlots> slots{};
        for (std::size_t slot = 0; slot < globalSlots; ++slot) {
            slots[slot] = static_cast<std::uint32_t>(pagesBeforeGlobal + slot);
            freePages.writeBitmapPage(pageOf(file, slots[slot]), slot);
        }
        std::vector<std::uint8_t> row(UsageMapWriter::ReferenceRowSize);
        UsageMapWriter::writeReference(row, slots);
        global.add(row);
    }
    global.add(secondRow);
    return bytes;
}

void DatabaseWriter::writeFile(const std::filesystem::path& path) const
{
    const std::vector<std::uint8_t> bytes = build();
    TemporaryFile file(path);
    file.write(bytes);
    file.commit();
}

} // namespace jet4
