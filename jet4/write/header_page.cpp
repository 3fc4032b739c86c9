#include "header_page.h"

#include "jet4/format/header_layout.h"
#include "jet4/format/little_endian.h"

#include <array>

namespace jet4::writing {

using namespace header;

HeaderPage::HeaderPage(std::span<std::uint8_t> page)
    : m_page(page)
{
}

void HeaderPage::setCreationDate(double date)
{
    std::array<std::uint8_t, MaskedLength> clear{};
    for (std::size_t i = 0; i < MaskedLength; ++i)
        clear[i] = static_cast<std::uint8_t>(m_page[MaskedOffset + i] ^ KeyStream[i]);

    storeF64(clear, CreationDateOffset - MaskedOffset, date);
    // The mask is the date's whole-day number as 4 little-endian bytes, repeated.
    const auto day = static_cast<std::uint32_t>(static_cast<std::int32_t>(date));
    for (std::size_t i = 0; i < PasswordLength; ++i)
        clear[PasswordOffset - MaskedOffset + i] = static_cast<std::uint8_t>(day >> (8 * (i % 4)));

    for (std::size_t i = 0; i < MaskedLength; ++i)
        m_page[MaskedOffset + i] = static_cast<std::uint8_t>(clear[i] ^ KeyStream[i]);
}

} // namespace jet4::writing
