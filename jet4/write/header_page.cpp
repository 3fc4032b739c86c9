#include "header_page.h"

#include "jet4/format/page_bytes.h"

#include <array>

namespace jet4::writing {

namespace {

constexpr std::size_t MaskedOffset = 0x18;
constexpr std::size_t MaskedSize = 128;
constexpr std::size_t PasswordOffset = 0x42;
constexpr std::size_t PasswordSize = 40;
constexpr std::size_t CreationDateOffset = 0x72;

constexpr std::array<std::uint8_t, MaskedSize> keyStream()
{
    constexpr std::array<std::uint8_t, 4> key{0xC7, 0xDA, 0x39, 0x6B};
    std::array<std::uint8_t, 256> s{};
    for (std::size_t i = 0; i < 256; ++i)
        s[i] = static_cast<std::uint8_t>(i);
    std::size_t j = 0;
    for (std::size_t i = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % key.size()]) % 256;
        std::swap(s[i], s[j]);
    }
    std::array<std::uint8_t, MaskedSize> stream{};
    std::size_t a = 0;
    std::size_t b = 0;
    for (auto& byte : stream) {
        a = (a + 1) % 256;
        b = (b + s[a]) % 256;
        std::swap(s[a], s[b]);
        byte = s[(s[a] + s[b]) % 256];
    }
    return stream;
}

constexpr std::array<std::uint8_t, MaskedSize> KeyStream = keyStream();

} // namespace

HeaderPage::HeaderPage(std::span<std::uint8_t> page)
    : m_page(page)
{
}

void HeaderPage::setCreationDate(double date)
{
    std::array<std::uint8_t, MaskedSize> clear{};
    for (std::size_t i = 0; i < MaskedSize; ++i)
        clear[i] = static_cast<std::uint8_t>(m_page[MaskedOffset + i] ^ KeyStream[i]);

    storeF64(clear, CreationDateOffset - MaskedOffset, date);
    // The mask is the date's whole-day number as 4 little-endian bytes, repeated.
    const auto day = static_cast<std::uint32_t>(static_cast<std::int32_t>(date));
    for (std::size_t i = 0; i < PasswordSize; ++i)
        clear[PasswordOffset - MaskedOffset + i] = static_cast<std::uint8_t>(day >> (8 * (i % 4)));

    for (std::size_t i = 0; i < MaskedSize; ++i)
        m_page[MaskedOffset + i] = static_cast<std::uint8_t>(clear[i] ^ KeyStream[i]);
}

} // namespace jet4::writing
