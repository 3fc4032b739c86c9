#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace jet4 {

// Jet 3 text is written in the database's Windows code page. Single-byte code pages go through a
// 256-entry table built once with iconv; double-byte ones (932, 936, 949, 950 ...) through iconv
// for each value.
class CodePageDecoder {
public:
    // Code page 0 and code pages iconv does not know fall back to 1252.
    explicit CodePageDecoder(std::uint16_t codePage);

    [[nodiscard]] std::uint16_t codePage() const { return m_codePage; }

    // Writes at most bytes.size() units to out and returns how many it wrote. Bytes the code page
    // does not define become U+FFFD.
    std::size_t decode(std::span<const std::uint8_t> bytes, char16_t* out) const;

private:
    bool buildTable(std::uint16_t codePage);
    std::size_t decodeMultiByte(std::span<const std::uint8_t> bytes, char16_t* out) const;

    std::uint16_t m_codePage = 1252;
    std::string m_iconvName;
    bool m_multiByte = false;
    std::array<char16_t, 256> m_table{};
};

} // namespace jet4
