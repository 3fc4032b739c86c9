#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace jet4::writing {

// A new file created beside its destination and renamed onto it only once it is complete, so
// that nobody ever sees a half-written destination. Until commit() succeeds, the destructor
// closes and removes the temporary file. Failures throw WriteError naming the destination.
class TemporaryFile {
public:
    explicit TemporaryFile(std::filesystem::path destination);
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile();

    void write(std::span<const std::uint8_t> bytes);
    // Closes the file and renames it onto the destination, replacing any file there.
    void commit();

    [[nodiscard]] const std::filesystem::path& path() const { return m_path; }

private:
    [[noreturn]] void fail(const std::string& what, int error) const;

    std::filesystem::path m_destination;
    std::filesystem::path m_path;
    int m_fd = -1;
    bool m_committed = false;
};

} // namespace jet4::writing
