#include "text_decoder.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace jet4 {

namespace {

constexpr char16_t Replacement = 0xFFFD;

bool isCompressed(std::span<const std::uint8_t> bytes)
{
    return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE;
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

// A grid cannot show half a surrogate pair. Most text has no surrogate at all, so a quick look
// comes first.
void replaceUnpairedSurrogates(char16_t* text, std::size_t length)
{
    if (std::none_of(text, text + length, isSurrogate)) return;
    for (std::size_t i = 0; i < length; ++i) {
        if (isHigh(text[i]) && i + 1 < length && isLow(text[i + 1]))
            ++i;
        else if (isHigh(text[i]) || isLow(text[i]))
            text[i] = Replacement;
    }
}

std::size_t decodePlain(std::span<const std::uint8_t> bytes, char16_t* out)
{
    const std::size_t length = bytes.size() / 2; // a trailing odd byte is not a character
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, bytes.data(), 2 * length);
    } else {
        for (std::size_t i = 0; i < length; ++i)
            out[i] = static_cast<char16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    }
    return length;
}

std::size_t decodeCompressed(std::span<const std::uint8_t> bytes, char16_t* out)
{
    // Starts in one-byte mode; every 0x00 at a character boundary switches between one byte per
    // character (high byte zero) and two.
    std::size_t written = 0;
    bool compressed = true;
    std::size_t i = 2;
    while (i < bytes.size()) {
        if (bytes[i] == 0x00) {
            compressed = !compressed;
            ++i;
        } else if (compressed) {
            out[written++] = bytes[i++];
        } else {
            if (i + 1 >= bytes.size()) break;
            out[written++] = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
            i += 2;
        }
    }
    return written;
}

} // namespace

std::size_t TextDecoder::maxChars(std::span<const std::uint8_t> bytes) const
{
    if (m_codePage) return bytes.size();
    return isCompressed(bytes) ? bytes.size() - 2 : bytes.size() / 2;
}

std::size_t TextDecoder::decode(std::span<const std::uint8_t> bytes, char16_t* out) const
{
    if (m_codePage) return m_codePage->decode(bytes, out);
    const std::size_t written = isCompressed(bytes) ? decodeCompressed(bytes, out) : decodePlain(bytes, out);
    replaceUnpairedSurrogates(out, written);
    return written;
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
    replaceUnpairedSurrogates(name.data(), decodePlain(bytes, name.data()));
    return name;
}

} // namespace jet4
