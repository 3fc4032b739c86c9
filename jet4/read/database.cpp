#include "database.h"

#include "catalog.h"
#include "code_page_decoder.h"
#include "database_header.h"
#include "file_page_source.h"
#include "jet4/format/error.h"
#include "jet4/format/utf8_codec.h"
#include "memory_page_source.h"
#include "page_reader.h"
#include "parse_error.h"
#include "table_definition.h"
#include "table_reader.h"
#include "text_decoder.h"

#include <optional>

namespace jet4 {

struct Database::State {
    State(std::unique_ptr<PageSource> pageSource, std::string name)
        : source(std::move(pageSource))
        , displayName(std::move(name))
        , header(DatabaseHeader::read(*source))
        , pages(*source, header.layout())
    {
        if (header.layout().format == Format::Jet3) codePage.emplace(header.codePage());
        text.emplace(codePage ? &*codePage : nullptr);
        catalog = Catalog::read(pages, *text);
    }

    std::unique_ptr<PageSource> source;
    std::string displayName;
    DatabaseHeader header;
    PageReader pages;
    std::optional<CodePageDecoder> codePage;
    std::optional<TextDecoder> text;
    Catalog catalog;
};

namespace {

// Runs f and gives every failure of the file the file's name.
template <class F> decltype(auto) naming(const std::string& displayName, F&& f)
{
    try {
        return f();
    } catch (const ParseError& e) {
        throw Error(displayName, e.what());
    } catch (const std::length_error&) {
        throw Error(displayName, "table too large");
    }
}

} // namespace

Database::Database(std::unique_ptr<State> state)
    : m_state(std::move(state))
{
}
Database::Database(Database&&) noexcept = default;
Database& Database::operator=(Database&&) noexcept = default;
Database::~Database() = default;

Database Database::open(const std::filesystem::path& path)
{
    const std::string name = path.string();
    return naming(name,
                  [&] { return Database(std::make_unique<State>(std::make_unique<FilePageSource>(path), name)); });
}

Database Database::fromBytes(std::vector<std::uint8_t> bytes, std::string displayName)
{
    const std::string name = displayName;
    return naming(name, [&] {
        return Database(
            std::make_unique<State>(std::make_unique<MemoryPageSource>(std::move(bytes)), std::move(displayName)));
    });
}

Format Database::format() const
{
    return m_state->header.layout().format;
}

std::vector<std::string> Database::tableNames() const
{
    std::vector<std::string> names;
    for (const CatalogTable& table : m_state->catalog.tables())
        if (table.isUserTable()) names.push_back(utf8::fromUtf16(table.name));
    return names;
}

template <class Read>
decltype(auto) Database::withTable(std::string_view name, char16_t decimalSeparator, Read&& read) const
{
    const State& state = *m_state;
    std::u16string wanted;
    const bool wellFormed = utf8::appendUtf16(name, wanted) == std::string_view::npos;
    const CatalogTable* table = wellFormed ? state.catalog.find(wanted) : nullptr;
    if (!table) throw Error(state.displayName, "no table " + std::string(name));
    state.source->dropReadAhead();
    return naming(state.displayName, [&] {
        const TableDefinition definition =
            TableDefinition::read(state.pages, Catalog::definitionPage(*table, state.pages), *state.text);
        return read(TableReader(state.pages, *state.text, decimalSeparator), definition);
    });
}

Table Database::readTable(std::string_view name, char16_t decimalSeparator, Table storage) const
{
    return withTable(name, decimalSeparator, [&](const TableReader& reader, const TableDefinition& definition) {
        return reader.read(definition, std::move(storage));
    });
}

void Database::readTableInParts(std::string_view name, const std::function<void(const Table& part)>& take,
                                char16_t decimalSeparator) const
{
    withTable(name, decimalSeparator, [&](const TableReader& reader, const TableDefinition& definition) {
        reader.readInParts(definition, take);
    });
}

} // namespace jet4
