#include "database_header.h"

#include "jet4/format/header_layout.h"
#include "jet4/format/little_endian.h"
#include "parse_error.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace jet4 {

using namespace header;

namespace {

// The header is readable once the masked region is there.
constexpr std::size_t HeaderLength = MaskedOffset + MaskedLength;
// Page 2 holds the system catalog, so no database is shorter than three pages.
constexpr std::uint64_t MinimumPages = 3;

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

    std::array<std::uint8_t, MaskedLength> clear{};
    for (std::size_t i = 0; i < layout->maskedHeaderLength; ++i)
        clear[i] = static_cast<std::uint8_t>(head[MaskedOffset + i] ^ KeyStream[i]);
    const std::uint16_t codePage = loadU16(clear, CodePageOffset - MaskedOffset);
    if (loadU32(clear, KeyOffset - MaskedOffset) != 0)
        throw ParseError("encrypted database (non-zero database key), which this reader does not decrypt");

    if (size / layout->pageSize < MinimumPages) throw ParseError("truncated");
    return DatabaseHeader(*layout, codePage);
}

} // namespace jet4
