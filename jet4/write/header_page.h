#pragma once

#include <cstdint>
#include <span>

namespace jet4::writing {

// Page 0 of a Jet 4 file: edits the masked region (header_layout.h) in the clear.
class HeaderPage {
public:
    explicit HeaderPage(std::span<std::uint8_t> page);

    // Sets the creation date (days since 1899-12-30) and rewrites the password field, which Jet
    // stores XOR-ed with a mask derived from that date: with no password it holds the mask itself.
    void setCreationDate(double date);

private:
    std::span<std::uint8_t> m_page;
};

} // namespace jet4::writing
