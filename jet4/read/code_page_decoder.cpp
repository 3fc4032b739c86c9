#include "code_page_decoder.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <iconv.h>
#include <memory>
#include <type_traits>

namespace jet4 {

namespace {

constexpr char16_t Replacement = 0xFFFD;
constexpr std::uint16_t FallbackCodePage = 1252;

struct IconvCloser {
    void operator()(iconv_t handle) const { iconv_close(handle); }
};
// iconv_t is a pointer type in glibc, which unique_ptr can hold directly.
using IconvHandle = std::unique_ptr<std::remove_pointer_t<iconv_t>, IconvCloser>;

IconvHandle openToUtf16(const std::string& from)
{
    // UTF-16LE is the in-memory order of char16_t on the little-endian machines we build for.
    iconv_t handle = iconv_open("UTF-16LE", from.c_str());
    return reinterpret_cast<std::intptr_t>(handle) == -1 ? IconvHandle() : IconvHandle(handle);
}

} // namespace

CodePageDecoder::CodePageDecoder(std::uint16_t codePage)
{
    if (codePage != 0 && buildTable(codePage)) return;
    if (buildTable(FallbackCodePage)) return;
    // Without iconv's modules, Latin-1 is the nearest we can do on our own.
    m_codePage = FallbackCodePage;
    m_multiByte = false;
    for (std::size_t b = 0; b < m_table.size(); ++b)
        m_table[b] = static_cast<char16_t>(b);
}

bool CodePageDecoder::buildTable(std::uint16_t codePage)
{
    const std::string name = "CP" + std::to_string(codePage);
    const IconvHandle handle = openToUtf16(name);
    if (!handle) return false;
    m_codePage = codePage;
    m_iconvName = name;
    m_multiByte = false;
    for (std::size_t b = 0; b < m_table.size(); ++b) {
        char in = static_cast<char>(b);
        char16_t unit[2] = {Replacement, 0};
        char* inPointer = &in;
        std::size_t inLeft = 1;
        char* outPointer = reinterpret_cast<char*>(unit);
        std::size_t outLeft = sizeof unit;
        iconv(handle.get(), nullptr, nullptr, nullptr, nullptr);
        const std::size_t result = iconv(handle.get(), &inPointer, &inLeft, &outPointer, &outLeft);
        if (result == static_cast<std::size_t>(-1) && errno == EINVAL)
            m_multiByte = true; // a lead byte: it needs the byte after it
        m_table[b] = (result == static_cast<std::size_t>(-1) || outLeft != sizeof unit - 2) ? Replacement : unit[0];
    }
    return true;
}

std::size_t CodePageDecoder::decode(std::span<const std::uint8_t> bytes, char16_t* out) const
{
    if (m_multiByte) return decodeMultiByte(bytes, out);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        out[i] = m_table[bytes[i]];
    return bytes.size();
}

std::size_t CodePageDecoder::decodeMultiByte(std::span<const std::uint8_t> bytes, char16_t* out) const
{
    const IconvHandle handle = openToUtf16(m_iconvName);
    if (!handle) {
        for (std::size_t i = 0; i < bytes.size(); ++i)
            out[i] = m_table[bytes[i]];
        return bytes.size();
    }
    // iconv's interface is not const-correct; it does not write through the input pointer.
    char* in = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
    std::size_t inLeft = bytes.size();
    char* outPointer = reinterpret_cast<char*>(out);
    std::size_t outLeft = bytes.size() * sizeof(char16_t);
    while (inLeft > 0) {
        if (iconv(handle.get(), &in, &inLeft, &outPointer, &outLeft) != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG || outLeft < sizeof(char16_t)) break;
        // An undefined or cut-off sequence: show one replacement for its first byte and go on.
        const char16_t replacement = Replacement;
        std::copy_n(reinterpret_cast<const char*>(&replacement), sizeof replacement, outPointer);
        outPointer += sizeof replacement;
        outLeft -= sizeof replacement;
        ++in;
        --inLeft;
        iconv(handle.get(), nullptr, nullptr, nullptr, nullptr);
    }
    return (bytes.size() * sizeof(char16_t) - outLeft) / sizeof(char16_t);
}

} // namespace jet4
