#include "mdb_export.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

// Delimiters that occur in no fixture: the 2003 file holds every character U+0001-U+00FF.
const std::string CellDelimiter = "\u3004";
const std::string RowDelimiter = "\u3005\n";
const std::string NullMark = "\\N";

struct PipeCloser {
    void operator()(FILE* pipe) const { ::pclose(pipe); }
};

std::string quoted(const std::string& argument)
{
    std::string result = "'";
    for (char c : argument)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

std::string run(const std::string& command)
{
    const std::unique_ptr<FILE, PipeCloser> pipe(::popen(command.c_str(), "r"));
    if (!pipe) throw std::runtime_error("cannot run " + command);
    std::string output;
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0)
        output.append(buffer, got);
    return output;
}

std::vector<std::string> split(const std::string& text, const std::string& delimiter)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t at = text.find(delimiter); at != std::string::npos; at = text.find(delimiter, start)) {
        parts.push_back(text.substr(start, at - start));
        start = at + delimiter.size();
    }
    parts.push_back(text.substr(start));
    return parts;
}

} // namespace

OracleTable mdbExport(const std::filesystem::path& file, const std::string& table)
{
    const std::string output =
        run("mdb-export -Q -0 " + quoted(NullMark) + " -T '%Y-%m-%d %H:%M:%S' -b hex -d " + quoted(CellDelimiter) +
            " -R " + quoted(RowDelimiter) + " " + quoted(file.string()) + " " + quoted(table) + " 2>/dev/null");
    std::vector<std::string> records = split(output, RowDelimiter);
    records.pop_back(); // after the last delimiter
    OracleTable result;
    if (records.empty()) return result;
    result.columns = split(records.front(), CellDelimiter);
    for (std::size_t i = 1; i < records.size(); ++i) {
        std::vector<std::optional<std::string>> row;
        for (std::string& cell : split(records[i], CellDelimiter))
            row.push_back(cell == NullMark ? std::nullopt : std::optional<std::string>(std::move(cell)));
        result.rows.push_back(std::move(row));
    }
    return result;
}

std::vector<std::string> mdbTables(const std::filesystem::path& file, bool system)
{
    std::vector<std::string> names = split(
        run(std::string("mdb-tables -1 ") + (system ? "-S " : "") + quoted(file.string()) + " 2>/dev/null"), "\n");
    names.pop_back();
    return names;
}
