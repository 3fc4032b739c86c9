#include "text_decoder.h"

#include "jet4/format/jet_layout.h"
#include "jet4/format/little_endian.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace jet4 {

namespace {

constexpr char16_t Replacement = 0xFFFD;

bool isCompressed(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= CompressedTextMark.size() &&
           std::equal(CompressedTextMark.begin(), CompressedTextMark.end(), bytes.begin());
}

bool isHigh(char16_t c)
{
    return c >= 0xD800 && c <= 0xDBFF;
}
bool isLow(char16_t c)
{
    return c >= 0xDC00 && c <= 0xDFFF;
}

bool isSurrogate(char16_t c)
{
    return (c & 0xF800) == 0xD800;
}

// A grid cannot show half a surrogate pair.
void replaceUnpairedSurrogates(char16_t* text, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i) {
        if (isHigh(text[i]) && i + 1 < length && isLow(text[i + 1]))
            ++i;
        else if (isSurrogate(text[i]))
            text[i] = Replacement;
    }
}

// What a decoding wrote, and whether it met a surrogate on the way: most text has none, and
// then needs no second look.
struct Decoded {
    std::size_t length = 0;
    bool surrogates = false;
};

Decoded decodePlain(std::span<const std::uint8_t> bytes, char16_t* out)
{
    const std::size_t length = bytes.size() / 2; // a trailing odd byte is not a character
    // With nothing to copy, out may be null, which memcpy must not be given.
    if (length == 0) return {};
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, bytes.data(), 2 * length);
    } else {
        for (std::size_t i = 0; i < length; ++i)
            out[i] = static_cast<char16_t>(loadU16(bytes, 2 * i));
    }
    bool surrogates = false; // one look over the copied value, to spare most text the second pass
    for (std::size_t i = 0; i < length; ++i)
        surrogates |= isSurrogate(out[i]);
    return {length, surrogates};
}

Decoded decodeCompressed(std::span<const std::uint8_t> bytes, char16_t* out)
{
    // Starts in one-byte mode; every 0x00 at a character boundary switches between one byte per
    // character (high byte zero) and two. Only two-byte characters can be surrogates.
    Decoded decoded;
    bool compressed = true;
    std::size_t i = CompressedTextMark.size();
    while (i < bytes.size()) {
        if (bytes[i] == 0x00) {
            compressed = !compressed;
            ++i;
        } else if (compressed) {
            // A whole run of one-byte characters at once, up to the next switch.
            const auto* run = bytes.data() + i;
            const auto* zero = static_cast<const std::uint8_t*>(std::memchr(run, 0, bytes.size() - i));
            const std::size_t length = zero ? static_cast<std::size_t>(zero - run) : bytes.size() - i;
            std::copy(run, run + length, out + decoded.length);
            decoded.length += length;
            i += length;
        } else {
            if (i + 1 >= bytes.size()) break;
            const auto c = static_cast<char16_t>(loadU16(bytes, i));
            out[decoded.length++] = c;
            decoded.surrogates |= isSurrogate(c);
            i += 2;
        }
    }
    return decoded;
}

std::size_t finish(Decoded decoded, char16_t* out)
{
    if (decoded.surrogates) replaceUnpairedSurrogates(out, decoded.length);
    return decoded.length;
}

} // namespace

std::size_t TextDecoder::maxChars(std::span<const std::uint8_t> bytes) const
{
    if (m_codePage) return bytes.size();
    return isCompressed(bytes) ? bytes.size() - CompressedTextMark.size() : bytes.size() / 2;
}

std::size_t TextDecoder::decode(std::span<const std::uint8_t> bytes, char16_t* out) const
{
    if (m_codePage) return m_codePage->decode(bytes, out);
    return finish(isCompressed(bytes) ? decodeCompressed(bytes, out) : decodePlain(bytes, out), out);
}

std::u16string TextDecoder::decode(std::span<const std::uint8_t> bytes) const
{
    std::u16string text(maxChars(bytes), u'\0');
    text.resize(decode(bytes, text.data()));
    return text;
}

std::u16string TextDecoder::decodeName(std::span<const std::uint8_t> bytes) const
{
    if (m_codePage) return decode(bytes);
    std::u16string name(bytes.size() / 2, u'\0');
    finish(decodePlain(bytes, name.data()), name.data());
    return name;
}

} // namespace jet4
