#include "commands.h"
#include "jet4/writer.h"
#include "tsv_reader.h"

#include <charconv>
#include <csignal>
#include <cstdlib>
#include <stdexcept>

namespace {

// "SOURCE:LINE: reason" or "SOURCE:LINE:CELL: reason" (cells counted from 1).
std::runtime_error located(const std::filesystem::path& source, std::size_t line, const jet4::WriteError& error)
{
    std::string where = source.string() + ":" + std::to_string(line);
    if (error.column()) where += ":" + std::to_string(*error.column() + 1);
    return std::runtime_error(where + ": " + error.reason());
}

// Reproducible builds: the creation date comes from SOURCE_DATE_EPOCH when it is set.
void applySourceDateEpoch(jet4::DatabaseWriter& writer)
{
    const char* value = std::getenv("SOURCE_DATE_EPOCH");
    if (!value || !*value) return;
    const std::string_view text(value);
    long long seconds = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seconds);
    try {
        if (error != std::errc() || end != text.data() + text.size() || seconds < 0)
            throw std::out_of_range("not a count of seconds");
        writer.setTimestamp(std::chrono::sys_seconds{std::chrono::seconds{seconds}});
    } catch (const std::out_of_range&) {
        throw std::runtime_error("SOURCE_DATE_EPOCH: expected seconds since 1970 up to the year 9999, not \"" +
                                 std::string(text) + "\"");
    }
}

// SIGINT, SIGTERM and SIGHUP wait while the file is written, and take effect once the temporary
// file has become OUT.dsb or been removed: a build stopped that way leaves no partial file, and no
// handler needs to know the temporary's name. Writing takes a moment even for a large table.
template <class Write> void withStopSignalsDeferred(Write&& write)
{
    sigset_t stops;
    sigset_t before;
    sigemptyset(&stops);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaddset(&stops, signal);
    pthread_sigmask(SIG_BLOCK, &stops, &before);
    try {
        write();
    } catch (...) {
        pthread_sigmask(SIG_SETMASK, &before, nullptr);
        throw;
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

} // namespace

int buildDataFile(const std::filesystem::path& out, const std::filesystem::path& source)
{
    TsvReader reader(source);
    const std::optional<std::vector<std::string>> header = reader.next();
    if (!header) throw std::runtime_error(source.string() + ": empty file; its first line must name the columns");

    std::optional<jet4::DatabaseWriter> writer;
    try {
        writer.emplace(*header);
    } catch (const jet4::WriteError& error) {
        throw located(source, 1, error);
    }
    applySourceDateEpoch(*writer);

    while (const std::optional<std::vector<std::string>> cells = reader.next()) {
        try {
            writer->addRow(*cells);
        } catch (const jet4::WriteError& error) {
            throw located(source, reader.lineNumber(), error);
        }
    }
    withStopSignalsDeferred([&] { writer->writeFile(out); });
    return 0;
}
