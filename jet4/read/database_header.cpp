#include "database_header.h"

#include "parse_error.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace jet4 {

namespace {

constexpr std::array<std::uint8_t, 20> Magic{0x00, 0x01, 0x00, 0x00, 'S', 't', 'a', 'n', 'd', 'a',
                                             'r',  'd',  ' ',  'J',  'e', 't', ' ', 'D', 'B', 0x00};
constexpr std::size_t VersionOffset = 0x14;
constexpr std::size_t MaskedOffset = 0x18;
constexpr std::size_t CodePageOffset = 0x3C;
constexpr std::size_t KeyOffset = 0x3E;
// The header is readable once the masked region is there.
constexpr std::size_t HeaderLength = MaskedOffset + 128;
// Page 2 holds the system catalog, so no database is shorter than three pages.
constexpr std::uint64_t MinimumPages = 3;

// RC4 with the key C7 DA 39 6B always yields the same stream, so it is stored rather than computed.
constexpr std::array<std::uint8_t, 128> KeyStream{
    0xB5, 0x6F, 0x03, 0x62, 0x61, 0x08, 0xC2, 0x55, 0xEB, 0xA9, 0x67, 0x72, 0x43, 0x3F, 0x00, 0x9C, 0x7A, 0x9F, 0x90,
    0xFF, 0x80, 0x9A, 0x31, 0xC5, 0x79, 0xBA, 0xED, 0x30, 0xBC, 0xDF, 0xCC, 0x9D, 0x63, 0xD9, 0xE4, 0xC3, 0x7B, 0x42,
    0xFB, 0x8A, 0xBC, 0x4E, 0x86, 0xFB, 0xEC, 0x37, 0x5D, 0x44, 0x9C, 0xFA, 0xC6, 0x5E, 0x28, 0xE6, 0x13, 0xB6, 0x8A,
    0x60, 0x54, 0x94, 0x7B, 0x36, 0xF5, 0x72, 0xDF, 0xB1, 0x77, 0xF4, 0x13, 0x43, 0xCF, 0xAF, 0xB1, 0x33, 0x34, 0x61,
    0x79, 0x5B, 0x92, 0xB5, 0x7C, 0x2A, 0x05, 0xF1, 0x7C, 0x99, 0x01, 0x1B, 0x98, 0xFD, 0x12, 0x4F, 0x4A, 0x94, 0x6C,
    0x3E, 0x60, 0x26, 0x5F, 0x95, 0xF8, 0xD0, 0x89, 0x24, 0x85, 0x67, 0xC6, 0x1F, 0x27, 0x44, 0xD2, 0xEE, 0xCF, 0x65,
    0xED, 0xFF, 0x07, 0xC7, 0x46, 0xA1, 0x78, 0x16, 0x0C, 0xED, 0xE9, 0x2D, 0x62, 0xD4};

std::string hexByte(std::uint8_t value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

} // namespace

DatabaseHeader DatabaseHeader::read(const PageSource& source)
{
    const std::uint64_t size = source.size();
    if (size == 0) throw ParseError("not a Jet database (the file is empty)");

    std::vector<std::uint8_t> scratch;
    const std::span<const std::uint8_t> head =
        source.read(0, static_cast<std::size_t>(std::min<std::uint64_t>(size, HeaderLength)), scratch);
    const std::size_t magicLength = std::min(head.size(), Magic.size());
    if (!std::equal(head.begin(), head.begin() + static_cast<std::ptrdiff_t>(magicLength), Magic.begin()))
        throw ParseError("not a Jet database");
    if (head.size() < HeaderLength) throw ParseError("truncated");

    const std::uint8_t version = head[VersionOffset];
    const JetLayout* layout = nullptr;
    if (version == 0x00)
        layout = &Jet3Layout;
    else if (version == 0x01)
        layout = &Jet4Layout;
    else if (version <= 0x06)
        throw ParseError("an Access 2007 or later (ACCDB) database, version byte " + hexByte(version) +
                         "; only Jet 3 and Jet 4 files can be read");
    else
        throw ParseError("unknown Jet version byte " + hexByte(version));

    std::array<std::uint8_t, 128> clear{};
    for (std::size_t i = 0; i < layout->maskedHeaderLength; ++i)
        clear[i] = static_cast<std::uint8_t>(head[MaskedOffset + i] ^ KeyStream[i]);
    const auto at = [&](std::size_t offset) { return clear[offset - MaskedOffset]; };
    const auto codePage = static_cast<std::uint16_t>(at(CodePageOffset) | (at(CodePageOffset + 1) << 8));
    if (at(KeyOffset) != 0 || at(KeyOffset + 1) != 0 || at(KeyOffset + 2) != 0 || at(KeyOffset + 3) != 0)
        throw ParseError("encrypted database (non-zero database key), which this reader does not decrypt");

    if (size / layout->pageSize < MinimumPages) throw ParseError("truncated");
    return DatabaseHeader(*layout, codePage);
}

} // namespace jet4
