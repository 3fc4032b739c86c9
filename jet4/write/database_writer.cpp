#include "database_writer.h"

#include "blank_database.h"
#include "catalog_writer.h"
#include "data_page_writer.h"
#include "header_page.h"
#include "huge_page_buffer.h"
#include "jet4/format/row_pointer.h"
#include "jet4/format/utf8_codec.h"
#include "page_bytes.h"
#include "row_encoder.h"
#include "table_definition_writer.h"
#include "temporary_file.h"
#include "usage_map_writer.h"
#include "write_error.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
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

// The name in quotes, control characters as \xNN: a NUL would end the message where it stands,
// and a tab or line break would hide where the name ends.
std::string quotedName(const std::string& name)
{
    std::string quoted = "\"";
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned>(static_cast<unsigned char>(c)));
            quoted += escaped;
        } else {
            quoted += c;
        }
    }
    return quoted + "\"";
}

// Why Jet (or the catalog index we must keep) cannot take the name, or an empty string.
std::string nameProblem(const std::string& name, const char* what)
{
    const std::string quoted = quotedName(name);
    if (name.empty()) return std::string("empty ") + what;
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

// Where everything goes in the file, once the rows are known. Pages in order: the blank, the
// table definition, the page holding the table's two usage maps, the data pages, then bitmap
// pages for maps too large to be inline (the table's, then the global map's).
struct PageLayout {
    std::uint32_t definitionPage = CatalogWriter::BlankPageCount;
    std::uint32_t mapPage = 0;
    std::uint32_t firstDataPage = 0;
    std::uint32_t endDataPage = 0;
    bool lastPageHasRoom = false;
    std::size_t tableBitmap = 0; // inline bitmap bytes of the table's maps, 0 for reference maps
    std::array<std::uint32_t, UsageMapWriter::ReferenceSlots> ownedSlots{};
    std::array<std::uint32_t, UsageMapWriter::ReferenceSlots> freeSlots{};
    std::uint32_t firstGlobalBitmapPage = 0;
    std::size_t globalSlots = 0; // 0: the global map is inline
    std::uint32_t pageCount = 0;

    [[nodiscard]] UsageMapWriter ownedMap() const
    {
        UsageMapWriter map;
        map.add(firstDataPage, endDataPage);
        return map;
    }
    [[nodiscard]] UsageMapWriter freeMap() const
    {
        UsageMapWriter map;
        if (lastPageHasRoom) map.add(endDataPage - 1, endDataPage);
        return map;
    }
    [[nodiscard]] UsageMapWriter globalMap() const
    {
        UsageMapWriter map; // a set bit is a free page: every page past the end of the file
        map.add(pageCount, 0xFFFFFFFFu);
        return map;
    }
};

struct DatabaseWriter::State {
    State(const std::vector<std::string>& names, const std::string& table)
        : tableName(table)
        , columnNames(names.size())
        , encoder(names.size(), table)
        , definition((std::transform(names.begin(), names.end(), columnNames.begin(), toUtf16), columnNames))
        , firstDataPage(static_cast<std::uint32_t>(CatalogWriter::BlankPageCount + definition.pageCount() + 1))
        , dataPages(std::size_t{MaxPages} * PageSize)
    {
    }

    [[nodiscard]] PageLayout layout() const;
    void writeHead(std::span<std::uint8_t> file, const PageLayout& layout) const;
    void writeTail(std::span<std::uint8_t> tail, const PageLayout& layout) const;

    std::string tableName;
    std::vector<std::u16string> columnNames;
    RowEncoder encoder;
    TableDefinitionWriter definition;
    std::uint32_t firstDataPage;
    // The data pages, filled as rows arrive: their page numbers and owner are known from the
    // start, so they are final as soon as they are written.
    HugePageBuffer dataPages;
    std::optional<DataPageWriter> lastPage;
    std::vector<std::uint8_t> row;
    std::size_t rowCount = 0;
    double date = UnixEpochDay + static_cast<double>(DefaultTimestamp.time_since_epoch().count()) / SecondsPerDay;
};

PageLayout DatabaseWriter::State::layout() const
{
    PageLayout pages;
    pages.mapPage = firstDataPage - 1;
    pages.firstDataPage = firstDataPage;
    pages.endDataPage = static_cast<std::uint32_t>(firstDataPage + dataPages.size() / PageSize);
    pages.lastPageHasRoom = lastPage && lastPage->fits(encoder.minimumRowSize());

    const UsageMapWriter owned = pages.ownedMap();
    const UsageMapWriter free = pages.freeMap();
    std::uint64_t nextPage = pages.endDataPage;
    if (UsageMapWriter::inlineBitmapSize(pages.endDataPage) <= MaxTableInlineBitmap) {
        pages.tableBitmap = UsageMapWriter::inlineBitmapSize(pages.endDataPage);
    } else {
        for (std::size_t slot = 0; slot < UsageMapWriter::ReferenceSlots; ++slot) {
            if (owned.hasPagesInSlot(slot)) pages.ownedSlots[slot] = static_cast<std::uint32_t>(nextPage++);
            if (free.hasPagesInSlot(slot)) pages.freeSlots[slot] = static_cast<std::uint32_t>(nextPage++);
        }
    }

    // The global map describes every page of the file, its own bitmap pages included.
    std::uint64_t pageCount = nextPage;
    if (UsageMapWriter::inlineBitmapSize(static_cast<std::uint32_t>(std::min<std::uint64_t>(pageCount, MaxPages))) >
        MaxGlobalInlineBitmap) {
        for (;;) {
            pageCount = nextPage + pages.globalSlots;
            const std::size_t needed =
                (pageCount + UsageMapWriter::PagesPerBitmapPage - 1) / UsageMapWriter::PagesPerBitmapPage;
            if (needed == pages.globalSlots) break;
            pages.globalSlots = needed;
        }
    }
    if (pageCount > MaxPages) throw WriteError(tableName, "too many rows for a Jet database (2 GB)");
    pages.firstGlobalBitmapPage = static_cast<std::uint32_t>(nextPage);
    pages.pageCount = static_cast<std::uint32_t>(pageCount);
    return pages;
}

void DatabaseWriter::State::writeHead(std::span<std::uint8_t> file, const PageLayout& pages) const
{
    const std::span<const std::uint8_t> blank = blankDatabase();
    std::copy(blank.begin(), blank.end(), file.begin());
    HeaderPage(pageOf(file, 0)).setCreationDate(date);
    CatalogWriter catalog(file);
    catalog.setDates(date);
    catalog.addTable(pages.definitionPage, toUtf16(tableName), date);
    definition.write(file, pages.definitionPage, static_cast<std::uint32_t>(rowCount),
                     RowPointer{pages.mapPage, 0}.packed(), RowPointer{pages.mapPage, 1}.packed());

    DataPageWriter maps(pageOf(file, pages.mapPage), 0);
    if (pages.tableBitmap != 0) {
        std::vector<std::uint8_t> map(UsageMapWriter::InlineHeaderSize + pages.tableBitmap);
        pages.ownedMap().writeInline(map);
        maps.add(map);
        pages.freeMap().writeInline(map);
        maps.add(map);
    } else {
        std::vector<std::uint8_t> map(UsageMapWriter::ReferenceRowSize);
        UsageMapWriter::writeReference(map, pages.ownedSlots);
        maps.add(map);
        UsageMapWriter::writeReference(map, pages.freeSlots);
        maps.add(map);
    }

    // Page 1: the global map and a second row that Jet keeps there, copied as it is.
    const std::span<std::uint8_t> globalPage = pageOf(file, GlobalMapPage);
    const RowExtent second = rowExtent(globalPage, Jet4Layout, 1);
    const std::vector<std::uint8_t> secondRow(globalPage.begin() + static_cast<std::ptrdiff_t>(second.start),
                                              globalPage.begin() + static_cast<std::ptrdiff_t>(second.end));
    std::fill(globalPage.begin(), globalPage.end(), std::uint8_t{0});
    DataPageWriter global(globalPage, GlobalMapPage);
    if (pages.globalSlots == 0) {
        std::vector<std::uint8_t> map(UsageMapWriter::InlineHeaderSize +
                                      UsageMapWriter::inlineBitmapSize(pages.pageCount));
        pages.globalMap().writeInline(map);
        global.add(map);
    } else {
        std::array<std::uint32_t, UsageMapWriter::ReferenceSlots> slots{};
        for (std::size_t slot = 0; slot < pages.globalSlots; ++slot)
            slots[slot] = static_cast<std::uint32_t>(pages.firstGlobalBitmapPage + slot);
        std::vector<std::uint8_t> map(UsageMapWriter::ReferenceRowSize);
        UsageMapWriter::writeReference(map, slots);
        global.add(map);
    }
    global.add(secondRow);
}

void DatabaseWriter::State::writeTail(std::span<std::uint8_t> tail, const PageLayout& pages) const
{
    auto page = [&](std::uint32_t number) { return pageOf(tail, number - pages.endDataPage); };
    const UsageMapWriter owned = pages.ownedMap();
    const UsageMapWriter free = pages.freeMap();
    for (std::size_t slot = 0; slot < UsageMapWriter::ReferenceSlots; ++slot) {
        if (pages.ownedSlots[slot] != 0) owned.writeBitmapPage(page(pages.ownedSlots[slot]), slot);
        if (pages.freeSlots[slot] != 0) free.writeBitmapPage(page(pages.freeSlots[slot]), slot);
    }
    const UsageMapWriter global = pages.globalMap();
    for (std::size_t slot = 0; slot < pages.globalSlots; ++slot)
        global.writeBitmapPage(page(pages.firstGlobalBitmapPage + static_cast<std::uint32_t>(slot)), slot);
}

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
    State& state = *m_state;
    state.row.clear();
    state.encoder.append(cells, state.rowCount, state.row);
    if (!state.lastPage || !state.lastPage->fits(state.row.size())) {
        const std::size_t index = state.dataPages.size() / PageSize;
        if (state.firstDataPage + index + 1 >= MaxPages)
            throw WriteError(state.tableName, "too many rows for a Jet database (2 GB)", state.rowCount);
        state.dataPages.resize(state.dataPages.size() + PageSize);
        state.lastPage.emplace(pageOf(state.dataPages.bytes(), static_cast<std::uint32_t>(index)),
                               PageLayout{}.definitionPage);
    }
    state.lastPage->add(state.row);
    ++state.rowCount;
}

std::size_t DatabaseWriter::rowCount() const
{
    return m_state->rowCount;
}

std::vector<std::uint8_t> DatabaseWriter::build() const
{
    const State& state = *m_state;
    const PageLayout layout = state.layout();
    std::vector<std::uint8_t> bytes(std::size_t{layout.pageCount} * PageSize);
    const std::span<std::uint8_t> file(bytes);
    state.writeHead(file, layout);
    const auto data = state.dataPages.bytes();
    std::copy(data.begin(), data.end(), bytes.begin() + static_cast<std::ptrdiff_t>(layout.firstDataPage * PageSize));
    state.writeTail(file.subspan(std::size_t{layout.endDataPage} * PageSize), layout);
    return bytes;
}

static_assert(DatabaseWriter::MaxTextLength == RowEncoder::MaxTextLength);

std::string DatabaseWriter::temporaryFilePrefix(const std::filesystem::path& path)
{
    return TemporaryFile::namePrefix(path);
}

void DatabaseWriter::writeFile(const std::filesystem::path& path, const std::function<void()>& beforeReplace) const
{
    // Written in three parts so that the data pages go out from where they already are.
    const State& state = *m_state;
    const PageLayout layout = state.layout();
    std::vector<std::uint8_t> head(std::size_t{layout.firstDataPage} * PageSize);
    state.writeHead(head, layout);
    std::vector<std::uint8_t> tail(std::size_t{layout.pageCount - layout.endDataPage} * PageSize);
    state.writeTail(tail, layout);

    TemporaryFile file(path);
    file.write(head);
    file.write(state.dataPages.bytes());
    file.write(tail);
    file.sync();
    if (beforeReplace) beforeReplace();
    file.commit();
}

} // namespace jet4
