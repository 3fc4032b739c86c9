#pragma once

#include "file_descriptor.h"
#include "page_source.h"

#include <filesystem>
#include <string>

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

private:
    FileDescriptor m_fd;
    std::uint64_t m_size = 0;
};

} // namespace jet4
