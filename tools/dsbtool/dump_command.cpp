#include "commands.h"
#include "jet4/reader.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <stdexcept>

namespace {

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

std::string chooseTable(const jet4::Database& database, const std::filesystem::path& file)
{
    const std::vector<std::string> names = database.tableNames();
    for (const auto& name : names)
        if (equalsIgnoringAsciiCase(name, "Dict")) return name;
    if (names.size() == 1) return names.front();
    std::string list;
    for (const auto& name : names)
        list += (list.empty() ? "" : ", ") + name;
    throw std::runtime_error(
        file.string() + ": no table Dict" +
        (names.empty() ? std::string(" and no other user table") : "; name one of its tables: " + list));
}

// TSV has no way to write a tab or a line break inside a cell.
std::size_t flattenLineBreaks(std::string& text)
{
    std::size_t replaced = 0;
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r') {
            c = ' ';
            ++replaced;
        }
    }
    return replaced;
}

} // namespace

int dumpTable(const std::filesystem::path& file, const std::optional<std::string>& table)
{
    const jet4::Database database = jet4::Database::open(file);
    const std::string name = table ? *table : chooseTable(database, file);
    const jet4::Table rows = database.readTable(name);

    std::string out;
    std::size_t flattened = 0;
    for (std::size_t column = 0; column < rows.columnCount(); ++column) {
        std::string title = rows.columns()[column].name;
        flattened += flattenLineBreaks(title);
        out += (column == 0 ? "" : "\t") + title;
    }
    out += '\n';
    for (std::size_t row = 0; row < rows.rowCount(); ++row) {
        for (std::size_t column = 0; column < rows.columnCount(); ++column) {
            if (column > 0) out += '\t';
            if (const auto cell = rows.cell(row, column)) {
                std::string text = jet4::utf8::fromUtf16(*cell);
                flattened += flattenLineBreaks(text);
                out += text;
            }
        }
        out += '\n';
        if (out.size() > (1u << 20)) {
            std::fwrite(out.data(), 1, out.size(), stdout);
            out.clear();
        }
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
    if (std::fflush(stdout) != 0) throw std::runtime_error("standard output: cannot write");
    if (flattened > 0)
        std::cerr << file.string() << ": " << flattened << " tab(s) or line break(s) inside values printed as spaces\n";
    return 0;
}
