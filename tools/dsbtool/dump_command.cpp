#include "commands.h"
#include "jet4/database.h"
#include "jet4/error.h"
#include "jet4/utf8_codec.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <unistd.h>

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

// TSV has no way to write a tab or a line break inside a cell: from `from` on, they become
// spaces, and the count of them is returned.
std::size_t flattenFrom(std::string& out, std::size_t from)
{
    std::size_t replaced = 0;
    for (auto c = out.begin() + static_cast<std::ptrdiff_t>(from); c != out.end(); ++c) {
        if (*c == '\t' || *c == '\n' || *c == '\r') {
            *c = ' ';
            ++replaced;
        }
    }
    return replaced;
}

std::size_t appendFlattened(std::u16string_view text, std::string& out)
{
    const std::size_t from = out.size();
    jet4::utf8::appendUtf8(text, out);
    return flattenFrom(out, from);
}

// Straight to the file descriptor, so that a full disk or a failing device is reported at once
// and never passes for a complete listing.
void writeOut(std::string& buffer)
{
    std::string_view rest(buffer);
    while (!rest.empty()) {
        const ssize_t written = ::write(STDOUT_FILENO, rest.data(), rest.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            throw std::runtime_error(std::string("standard output: cannot write: ") + std::strerror(errno));
        }
        rest.remove_prefix(static_cast<std::size_t>(written));
    }
    buffer.clear();
}

} // namespace

int dumpTable(const std::filesystem::path& file, const std::optional<std::string>& table)
{
    const jet4::Database database = jet4::Database::open(file);
    const std::string name = table ? *table : chooseTable(database, file);

    constexpr std::size_t FlushAt = 256 * 1024;
    std::string out;
    out.reserve(2 * FlushAt);
    std::size_t flattened = 0;
    bool headerDone = false;
    // A page at a time: the whole table is never held, however many rows it has.
    database.readTableInParts(name, [&](const jet4::Table& part) {
        if (!headerDone) {
            for (std::size_t column = 0; column < part.columnCount(); ++column) {
                if (column > 0) out += '\t';
                const std::size_t from = out.size();
                out += part.columns()[column].name;
                flattened += flattenFrom(out, from);
            }
            out += '\n';
            headerDone = true;
        }
        for (std::size_t row = 0; row < part.rowCount(); ++row) {
            for (std::size_t column = 0; column < part.columnCount(); ++column) {
                if (column > 0) out += '\t';
                if (const auto cell = part.cell(row, column)) flattened += appendFlattened(*cell, out);
            }
            out += '\n';
        }
        if (out.size() >= FlushAt) writeOut(out);
    });
    writeOut(out);
    if (flattened > 0)
        std::cerr << file.string() << ": " << flattened << " tab(s) or line break(s) inside values printed as spaces\n";
    return 0;
}
