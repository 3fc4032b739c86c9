#pragma once

#include "page_source.h"

#include <vector>

namespace jet4 {

class MemoryPageSource final : public PageSource {
public:
    explicit MemoryPageSource(std::vector<std::uint8_t> bytes);

    [[nodiscard]] std::uint64_t size() const override;
    [[nodiscard]] std::span<const std::uint8_t> read(std::uint64_t offset, std::size_t length,
                                                     std::vector<std::uint8_t>& scratch) const override;

private:
    std::vector<std::uint8_t> m_bytes;
};

} // namespace jet4
