#include "commands.h"
#include "jet4/reader.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <string_view>
#include <unistd.h>
#include <vector>

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

// TSV text collected in a buffer and written straight to the file descriptor, so that a full
// disk or a failing device is reported at once and never passes for a complete listing. TSV has
// no way to write a tab or a line break inside a cell: they are printed as spaces, and counted.
class TsvOutput {
public:
    static constexpr std::size_t FlushAt = std::size_t{256} * 1024;

    TsvOutput()
        : m_buffer(2 * FlushAt)
    {
    }

    void put(char c)
    {
        room(1);
        m_buffer[m_used++] = c;
    }

    void cell(std::string_view text)
    {
        room(text.size());
        flattenInto(std::copy(text.begin(), text.end(), m_buffer.data() + m_used));
    }

    void cell(std::u16string_view text)
    {
        room(text.size() * jet4::utf8::MaxUtf8PerUnit);
        flattenInto(jet4::utf8::writeUtf8(text, m_buffer.data() + m_used));
    }

    void flushIfFull()
    {
        if (m_used >= FlushAt) flush();
    }

    void flush()
    {
        for (std::size_t done = 0; done < m_used;) {
            const ssize_t written = ::write(STDOUT_FILENO, m_buffer.data() + done, m_used - done);
            if (written < 0) {
                if (errno == EINTR) continue;
                throw std::runtime_error(std::string("standard output: cannot write: ") + std::strerror(errno));
            }
            done += static_cast<std::size_t>(written);
        }
        m_used = 0;
    }

    [[nodiscard]] std::size_t flattened() const { return m_flattened; }

private:
    void room(std::size_t bytes)
    {
        if (m_used + bytes > m_buffer.size()) m_buffer.resize(m_used + bytes);
    }

    // Takes the bytes from m_used to end into the output.
    void flattenInto(char* end)
    {
        // Most values hold none, so eight bytes at a time first look for any byte below 0x0E
        // (which takes in tab, LF and CR); only a value that has one is gone through byte by byte.
        constexpr std::uint64_t Ones = 0x0101010101010101u;
        bool any = false;
        const char* look = m_buffer.data() + m_used;
        for (std::uint64_t word; !any && end - look >= 8; look += 8) {
            std::memcpy(&word, look, 8);
            any = ((word - Ones * 0x0E) & ~word & Ones * 0x80) != 0;
        }
        for (; !any && look != end; ++look)
            any = static_cast<unsigned char>(*look) < 0x0E;
        for (char* c = m_buffer.data() + m_used; any && c != end; ++c) {
            if (*c == '\t' || *c == '\n' || *c == '\r') {
                *c = ' ';
                ++m_flattened;
            }
        }
        m_used = static_cast<std::size_t>(end - m_buffer.data());
    }

    std::vector<char> m_buffer;
    std::size_t m_used = 0;
    std::size_t m_flattened = 0;
};

} // namespace

int dumpTable(const std::filesystem::path& file, const std::optional<std::string>& table)
{
    const jet4::Database database = jet4::Database::open(file);
    const std::string name = table ? *table : chooseTable(database, file);

    TsvOutput out;
    bool headerDone = false;
    // A page at a time: the whole table is never held, however many rows it has.
    database.readTableInParts(name, [&](const jet4::Table& part) {
        if (!headerDone) {
            for (std::size_t column = 0; column < part.columnCount(); ++column) {
                if (column > 0) out.put('\t');
                out.cell(std::string_view(part.columns()[column].name));
            }
            out.put('\n');
            headerDone = true;
        }
        for (std::size_t row = 0; row < part.rowCount(); ++row) {
            for (std::size_t column = 0; column < part.columnCount(); ++column) {
                if (column > 0) out.put('\t');
                if (const auto cell = part.cell(row, column)) out.cell(*cell);
            }
            out.put('\n');
        }
        out.flushIfFull();
    });
    out.flush();
    if (out.flattened() > 0)
        std::cerr << file.string() << ": " << out.flattened()
                  << " tab(s) or line break(s) inside values printed as spaces\n";
    return 0;
}
