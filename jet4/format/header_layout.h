#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Page 0 of a Jet file. Most of what matters sits in a region stored XOR-ed with a fixed key
// stream, in Jet 3 and Jet 4 alike (Jet 3's region is two bytes shorter: JetLayout says how long).
namespace jet4::header {

inline constexpr std::array<std::uint8_t, 20> Magic{0x00, 0x01, 0x00, 0x00, 'S', 't', 'a', 'n', 'd', 'a',
                                                    'r',  'd',  ' ',  'J',  'e', 't', ' ', 'D', 'B', 0x00};
inline constexpr std::size_t VersionOffset = 0x14;
inline constexpr std::size_t MaskedOffset = 0x18;
inline constexpr std::size_t MaskedLength = 128;
// Inside the masked region:
inline constexpr std::size_t CodePageOffset = 0x3C; // u16, Jet 3 text
inline constexpr std::size_t KeyOffset = 0x3E;      // u32 database key, 0 unless encrypted
inline constexpr std::size_t PasswordOffset = 0x42;
inline constexpr std::size_t PasswordLength = 40;
inline constexpr std::size_t CreationDateOffset = 0x72; // f64

// RC4 with the key C7 DA 39 6B: the stream the masked region is XOR-ed with.
constexpr std::array<std::uint8_t, MaskedLength> keyStream()
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
    std::array<std::uint8_t, MaskedLength> stream{};
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

inline constexpr std::array<std::uint8_t, MaskedLength> KeyStream = keyStream();

} // namespace jet4::header
