#include "jet_file.h"

#include <stdexcept>

JetFile::JetFile(std::vector<std::uint8_t> bytes)
    : m_bytes(std::move(bytes))
{
    if (m_bytes.empty() || m_bytes.size() % PageSize != 0)
        throw std::runtime_error("file length is not a multiple of 4096");
}

std::span<const std::uint8_t> JetFile::page(std::uint32_t number) const
{
    if (number >= pageCount()) throw std::runtime_error("page " + std::to_string(number) + " past the end");
    return std::span<const std::uint8_t>(m_bytes).subspan(std::size_t{number} * PageSize, PageSize);
}

std::uint16_t JetFile::u16(std::uint32_t number, std::size_t offset) const
{
    const auto p = page(number);
    return static_cast<std::uint16_t>(p[offset] | (p[offset + 1] << 8));
}

std::uint32_t JetFile::u32(std::uint32_t number, std::size_t offset) const
{
    return u16(number, offset) | (std::uint32_t{u16(number, offset + 2)} << 16);
}

std::vector<std::pair<std::size_t, std::size_t>> JetFile::rowBounds(std::uint32_t number) const
{
    if (page(number)[0] != 0x01) throw std::runtime_error("page " + std::to_string(number) + " is not a data page");
    const std::size_t count = u16(number, 12);
    std::vector<std::pair<std::size_t, std::size_t>> bounds;
    std::size_t end = PageSize;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t start = u16(number, 14 + 2 * i) & 0x1FFF;
        if (start > end || start < 14 + 2 * count)
            throw std::runtime_error("bad row offset on page " + std::to_string(number));
        bounds.emplace_back(start, end);
        end = start;
    }
    return bounds;
}

std::span<const std::uint8_t> JetFile::row(std::uint32_t number, std::size_t index) const
{
    const auto bounds = rowBounds(number);
    if (index >= bounds.size())
        throw std::runtime_error("no row " + std::to_string(index) + " on page " + std::to_string(number));
    return page(number).subspan(bounds[index].first, bounds[index].second - bounds[index].first);
}

std::set<std::uint32_t> JetFile::usageMap(std::uint32_t pgRow) const
{
    const auto map = row(pgRow >> 8, pgRow & 0xFF);
    std::set<std::uint32_t> pages;
    auto addBits = [&pages](std::span<const std::uint8_t> bitmap, std::uint64_t base) {
        for (std::size_t bit = 0; bit < 8 * bitmap.size(); ++bit)
            if (bitmap[bit / 8] & (1u << (bit % 8))) pages.insert(static_cast<std::uint32_t>(base + bit));
    };
    if (map.size() >= 5 && map[0] == 0x00) {
        const std::uint32_t start = map[1] | (map[2] << 8) | (map[3] << 16) | (std::uint32_t{map[4]} << 24);
        addBits(map.subspan(5), start);
    } else if (map.size() >= 1 && map[0] == 0x01) {
        for (std::size_t slot = 0; 1 + 4 * slot + 4 <= map.size(); ++slot) {
            const std::size_t at = 1 + 4 * slot;
            const std::uint32_t bitmapPage =
                map[at] | (map[at + 1] << 8) | (map[at + 2] << 16) | (std::uint32_t{map[at + 3]} << 24);
            if (bitmapPage == 0) continue;
            const auto bitmap = page(bitmapPage);
            if (bitmap[0] != 0x05) throw std::runtime_error("usage map points at a page that is not a bitmap page");
            addBits(bitmap.subspan(4), std::uint64_t{slot} * 4092 * 8);
        }
    } else {
        throw std::runtime_error("unknown usage map type");
    }
    return pages;
}

std::vector<std::vector<std::uint8_t>> JetFile::leafEntries(std::uint32_t number) const
{
    const auto leaf = page(number);
    if (leaf[0] != 0x04) throw std::runtime_error("not an index leaf");
    const std::size_t used = PageSize - 0x1E0 - u16(number, 2);
    std::vector<std::vector<std::uint8_t>> entries;
    std::size_t start = 0;
    for (std::size_t end = 1; end <= used; ++end) {
        if (leaf[0x1B + end / 8] & (1u << (end % 8))) {
            entries.emplace_back(leaf.begin() + static_cast<std::ptrdiff_t>(0x1E0 + start),
                                 leaf.begin() + static_cast<std::ptrdiff_t>(0x1E0 + end));
            start = end;
        }
    }
    if (start != used) throw std::runtime_error("entry mask does not cover the used bytes");
    for (std::size_t bit = used + 1; bit < std::size_t{8} * (0x1E0 - 0x1B); ++bit)
        if (leaf[0x1B + bit / 8] & (1u << (bit % 8)))
            throw std::runtime_error("entry mask marks bytes past the entries");
    return entries;
}

std::vector<std::uint8_t> JetFile::clearHeader() const
{
    // RC4 with the key C7 DA 39 6B, as every Jet reader applies it.
    std::uint8_t s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<std::uint8_t>(i);
    const std::uint8_t key[4] = {0xC7, 0xDA, 0x39, 0x6B};
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + key[i % 4]) & 0xFF;
        std::swap(s[i], s[j]);
    }
    std::vector<std::uint8_t> clear(128);
    const auto header = page(0);
    for (int n = 0, i = 0, j = 0; n < 128; ++n) {
        i = (i + 1) & 0xFF;
        j = (j + s[i]) & 0xFF;
        std::swap(s[i], s[j]);
        clear[static_cast<std::size_t>(n)] = static_cast<std::uint8_t>(header[0x18 + n] ^ s[(s[i] + s[j]) & 0xFF]);
    }
    return clear;
}

std::vector<std::uint8_t> JetFile::definition(std::uint32_t number) const
{
    std::vector<std::uint8_t> joined;
    for (std::size_t guard = 0; number != 0 && guard < pageCount(); ++guard) {
        const auto p = page(number);
        if (p[0] != 0x02) throw std::runtime_error("not a table definition page");
        joined.insert(joined.end(), p.begin() + (joined.empty() ? 0 : 8), p.end());
        number = u32(number, 4);
    }
    return joined;
}
