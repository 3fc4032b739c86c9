#include "mdb_export.h"

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

struct PipeCloser {
    void operator()(FILE* pipe) const { pclose(pipe); }
};

// Separators that the test data never contains.
constexpr char Field = '\x1f';
constexpr char Record = '\x1e';
constexpr std::string_view Null = "\\N";

std::string quoted(const std::string& text)
{
    std::string out = "'";
    for (const char c : text)
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

} // namespace

ExportedRows mdbExport(const std::filesystem::path& file, const std::string& table)
{
    const std::string command = "mdb-export -H -Q -0 '\\N' -d $'\\x1f' -R $'\\x1e' " + quoted(file.string()) + " " +
                                quoted(table) + " 2>/dev/null";
    const std::unique_ptr<FILE, PipeCloser> pipe(popen(("bash -c " + quoted(command)).c_str(), "r"));
    if (!pipe) throw std::runtime_error("cannot run mdb-export");
    std::string output;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe.get())) > 0;)
        output.append(buffer, n);

    ExportedRows rows;
    std::size_t start = 0;
    while (start < output.size()) {
        const std::size_t end = output.find(Record, start);
        const std::string_view line(output.data() + start, (end == std::string::npos ? output.size() : end) - start);
        auto& row = rows.emplace_back();
        for (std::size_t from = 0;;) {
            const std::size_t to = line.find(Field, from);
            const std::string_view cell = line.substr(from, to == std::string::npos ? std::string::npos : to - from);
            row.push_back(cell == Null ? std::nullopt : std::optional<std::string>(cell));
            if (to == std::string::npos) break;
            from = to + 1;
        }
        start = end == std::string::npos ? output.size() : end + 1;
    }
    return rows;
}
