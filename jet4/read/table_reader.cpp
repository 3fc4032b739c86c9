#include "table_reader.h"

#include "jet4/format/utf8_codec.h"
#include "long_value_reader.h"
#include "parse_error.h"
#include "row_decoder.h"
#include "table_scanner.h"
#include "value_formatter.h"

#include <algorithm>
#include <cstdio>

namespace jet4 {

namespace {

// Fills the table row by row as the scanner hands rows over; given take, hands each page's rows
// over to it and starts the next page afresh.
class RowSink {
public:
    RowSink(Table& table, const TableDefinition& definition, const PageReader& pages, const TextDecoder& text,
            char16_t decimalSeparator, const std::function<void(const Table&)>* take = nullptr)
        : m_table(table)
        , m_take(take)
        , m_columns(definition.columns())
        , m_rowDecoder(pages.layout(), definition)
        , m_longValues(pages)
        , m_text(text)
        , m_formatter(decimalSeparator)
        , m_textBound(std::uint64_t{pages.pageSize()} * pages.pageCount())
    {
    }

    void row(std::span<const std::uint8_t> bytes)
    {
        m_rowDecoder.load(bytes);
        for (const ColumnDefinition& column : m_columns)
            appendCell(column);
    }

    // Reserves the table's text once, from what the first page gave: growing a large buffer by
    // doubling would briefly need three times its size.
    void pageDone(std::size_t done, std::size_t total)
    {
        if (m_take) {
            (*m_take)(m_table);
            m_table.clearRows();
            return;
        }
        if (m_reserved || m_textChars == 0 || done == total) return;
        m_reserved = true;
        const double estimate =
            static_cast<double>(m_textChars) * static_cast<double>(total) / static_cast<double>(done) * 1.1;
        m_table.reserveText(static_cast<std::size_t>(std::min(estimate, static_cast<double>(m_textBound))));
    }

private:
    void appendText(std::u16string_view text)
    {
        m_table.appendCell(text);
        m_textChars += text.size();
    }

    template <class Write> void appendWritten(std::size_t maxChars, Write&& write)
    {
        char16_t* out = m_table.beginCell(maxChars);
        const std::size_t used = write(out);
        m_table.endCell(used);
        m_textChars += used;
    }

    void appendCell(const ColumnDefinition& column)
    {
        if (column.type == ColumnType::Boolean) {
            appendText(m_rowDecoder.isPresent(column) ? std::u16string_view(u"true") : std::u16string_view(u"false"));
            return;
        }
        const std::optional<std::span<const std::uint8_t>> value = m_rowDecoder.value(column);
        if (!value) {
            m_table.appendNull();
            return;
        }
        const std::span<const std::uint8_t> bytes = *value;
        switch (column.type) {
        case ColumnType::Text:
            appendWritten(m_text.maxChars(bytes), [&](char16_t* out) { return m_text.decode(bytes, out); });
            return;
        case ColumnType::Memo: {
            // A present but empty slot is an empty memo, not NULL.
            const std::span<const std::uint8_t> memo = bytes.empty() ? bytes : m_longValues.read(bytes);
            appendWritten(m_text.maxChars(memo), [&](char16_t* out) { return m_text.decode(memo, out); });
            return;
        }
        case ColumnType::Ole:
            appendPlaceholder("OLE object", bytes.empty() ? 0 : LongValueReader::declaredLength(bytes));
            return;
        case ColumnType::Binary:
            appendWritten(2 * bytes.size(), [&](char16_t* out) { return ValueFormatter::hex(bytes, out); });
            return;
        default:
            break;
        }
        const std::optional<std::size_t> size = fixedSizeOf(column.type);
        if (!size) {
            char kind[32];
            std::snprintf(kind, sizeof kind, "type 0x%02X", static_cast<unsigned>(column.type));
            appendPlaceholder(kind, bytes.size());
            return;
        }
        if (bytes.size() != *size) {
            // Access's own tables keep some numbers in variable slots, where an empty slot is NULL.
            if (bytes.empty()) {
                m_table.appendNull();
                return;
            }
            throw ParseError("value of column " + utf8::fromUtf16(column.name) + " has " +
                             std::to_string(bytes.size()) + " bytes, not " + std::to_string(*size));
        }
        appendWritten(ValueFormatter::MaxChars,
                      [&](char16_t* out) { return m_formatter.fixed(column.type, bytes, column.scale, out); });
    }

    // What the grid shows for values it cannot show as text: "<OLE object, 2048 bytes>".
    void appendPlaceholder(const char* kind, std::size_t bytes)
    {
        char text[64];
        const int length = std::snprintf(text, sizeof text, "<%s, %zu bytes>", kind, bytes);
        appendWritten(static_cast<std::size_t>(length), [&](char16_t* out) {
            std::copy(text, text + length, out);
            return static_cast<std::size_t>(length);
        });
    }

    Table& m_table;
    const std::function<void(const Table&)>* m_take;
    const std::vector<ColumnDefinition>& m_columns;
    RowDecoder m_rowDecoder;
    LongValueReader m_longValues;
    const TextDecoder& m_text;
    ValueFormatter m_formatter;
    std::uint64_t m_textBound;
    std::size_t m_textChars = 0;
    bool m_reserved = false;
};

} // namespace

namespace {

std::vector<Column> columnsOf(const TableDefinition& definition)
{
    std::vector<Column> columns;
    columns.reserve(definition.columns().size());
    for (const ColumnDefinition& column : definition.columns())
        columns.push_back(Column{utf8::fromUtf16(column.name), column.type, column.number});
    return columns;
}

} // namespace

Table TableReader::read(const TableDefinition& definition, Table storage) const
{
    Table table = std::move(storage);
    table.reset(columnsOf(definition));

    TableScanner scanner(m_pages, definition);
    RowSink sink(table, definition, m_pages, m_text, m_decimalSeparator);
    scanner.scan(sink);
    return table;
}

void TableReader::readInParts(const TableDefinition& definition, const std::function<void(const Table&)>& take) const
{
    Table part(columnsOf(definition));
    TableScanner scanner(m_pages, definition);
    RowSink sink(part, definition, m_pages, m_text, m_decimalSeparator, &take);
    scanner.scan(sink);
    if (scanner.dataPages().empty()) take(part);
}

} // namespace jet4
