#pragma once

#include "file_descriptor.h"
#include "page_source.h"

#include <filesystem>
#include <string>
#include <vector>

namespace jet4 {

// A database file opened read-only. Reads go through pread, never a mapping, so a file that is
// truncated or rewritten while we hold it gives an error instead of a fault.
class FilePageSource final : public PageSource {
public:
    // Throws ParseError("cannot open: <reason>") when the path is not a readable regular file.
    explicit FilePageSource(const std::filesystem::path& path);

    [[nodiscard]] std::uint64_t size() const override;
    [[nodiscard]] std::span<const std::uint8_t> read(std::uint64_t offset, std::size_t length,
                                                     std::vector<std::uint8_t>& scratch) const override;
    void dropReadAhead() const override;

private:
    // Reads up to length bytes at offset, fewer only at the end of the file; throws on an error.
    std::size_t readAt(std::uint64_t offset, std::uint8_t* into, std::size_t length) const;

    // A table's data pages are mostly read in runs of neighbours. Once a read continues where
    // the one before ended, one pread fills a window of the pages that follow, and the reads
    // inside it are copied from memory instead of costing a system call each; reads elsewhere
    // (a long value's page, say) go to the file and leave the window alone. Not safe for two
    // threads at once, as no other part of a Database is.
    static constexpr std::size_t WindowBytes = std::size_t{256} * 1024;

    FileDescriptor m_fd;
    std::uint64_t m_size = 0;
    mutable std::vector<std::uint8_t> m_window;
    mutable std::uint64_t m_windowOffset = 0;
    mutable std::uint64_t m_lastEnd = 0; // where the last read from the file ended
};

} // namespace jet4
