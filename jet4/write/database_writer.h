#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace jet4 {

// Writes a new Jet 4 database holding one user table whose columns are all Text(255), with the
// rows in the order they were added; an empty value is stored as NULL. The file starts from the
// blank database the Jet engine itself writes, and the table is added to its catalog the way
// Jet adds one. The same rows, names and timestamp always give the same bytes.
//
// Bad input throws a WriteError whose row() and column() locate it: names outside
// [A-Za-z0-9 ] (1-64 characters, no leading or trailing space), duplicate column names (Jet
// ignores case), a value over 255 characters (UTF-16 units), a value starting with U+FEFF,
// malformed UTF-8, a row too long for a page.
class DatabaseWriter {
public:
    static constexpr std::size_t MaxColumns = 255;
    static constexpr std::size_t MaxNameLength = 64;
    static constexpr std::size_t MaxTextLength = 255; // UTF-16 units, as Jet counts characters
    // 2000-01-01 00:00:00 UTC: the creation date when no other is set.
    static constexpr std::chrono::sys_seconds DefaultTimestamp{std::chrono::seconds{946684800}};

    // Column names and table name in UTF-8.
    explicit DatabaseWriter(const std::vector<std::string>& columnNames, const std::string& tableName = "Dict");
    DatabaseWriter(DatabaseWriter&&) noexcept;
    DatabaseWriter& operator=(DatabaseWriter&&) noexcept;
    ~DatabaseWriter();

    // The creation date of the database and of its catalog rows (UTC; Jet keeps no zone).
    // Throws std::out_of_range outside the years 1900-9999.
    void setTimestamp(std::chrono::sys_seconds time);

    // Appends a row of UTF-8 cells, one per column.
    void addRow(const std::vector<std::string>& cells);
    [[nodiscard]] std::size_t rowCount() const;

    // The whole database file.
    [[nodiscard]] std::vector<std::uint8_t> build() const;
    // Writes the database to path through a temporary file in the same folder, which replaces
    // path only once it is complete and on the disk; the folder is flushed after the rename.
    // beforeReplace runs between the two (to keep a copy of the old file, say); when it throws,
    // the temporary file goes and path stays as it was.
    void writeFile(const std::filesystem::path& path, const std::function<void()>& beforeReplace = {}) const;
    // What the name of every temporary file writeFile makes for path starts with: one left
    // behind by a killed write can be found and removed.
    [[nodiscard]] static std::string temporaryFilePrefix(const std::filesystem::path& path);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace jet4
