#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace jet4 {

// Where the bytes of a database come from: an open file or a buffer in memory.
class PageSource {
public:
    virtual ~PageSource() = default;

    // Length in bytes, fixed when the source was opened.
    [[nodiscard]] virtual std::uint64_t size() const = 0;

    // The bytes [offset, offset + length). A source that holds the bytes returns a view of them;
    // one that must read fills scratch and returns a view of it, valid until scratch is reused.
    // Throws FileTruncated when the bytes are not there (a file cut short under us).
    [[nodiscard]] virtual std::span<const std::uint8_t> read(std::uint64_t offset, std::size_t length,
                                                             std::vector<std::uint8_t>& scratch) const = 0;

    // Forgets bytes kept from earlier reads, so that the reads after it see the file as it is
    // now (a table read again after the file changed under us).
    virtual void dropReadAhead() const {}
};

} // namespace jet4
