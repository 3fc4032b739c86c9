#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Reads a UTF-8 TSV file line by line: cells split at tabs, LF or CRLF line ends, a UTF-8 byte
// order mark at the start ignored. Nothing is unquoted or unescaped: a cell is the text between
// two tabs, so values cannot hold tabs or line breaks.
class TsvReader {
public:
    // Reads the whole file; throws std::runtime_error "PATH: cannot read: REASON".
    explicit TsvReader(const std::filesystem::path& path);

    // The next line's cells, or nullopt at the end of the file. A final line end does not
    // start another line. A CR that does not end a CRLF throws "PATH:LINE: ...": a file with
    // CR-only line ends would otherwise read as one long line.
    [[nodiscard]] std::optional<std::vector<std::string>> next();
    // 1-based number of the line next() returned last.
    [[nodiscard]] std::size_t lineNumber() const { return m_lineNumber; }

private:
    std::string m_name;
    std::string m_text;
    std::size_t m_position = 0;
    std::size_t m_lineNumber = 0;
};
