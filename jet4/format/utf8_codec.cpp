#include "utf8_codec.h"

namespace jet4::utf8 {

namespace {

bool isContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::size_t appendUtf16(std::string_view text, std::u16string& out)
{
    // One UTF-16 unit per byte at most: size the output once and write through a pointer.
    const std::size_t base = out.size();
    out.resize(base + text.size());
    char16_t* const first = out.data() + base;
    char16_t* to = first;
    auto finish = [&](std::size_t result) {
        out.resize(base + static_cast<std::size_t>(to - first));
        return result;
    };
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char lead = bytes[i];
        if (lead < 0x80) {
            *to++ = lead;
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1Fu;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0Fu;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07u;
            minimum = 0x10000;
        } else {
            return finish(i); // continuation byte, C0/C1 (always overlong) or F5-FF
        }
        if (text.size() - i < length) return finish(i);
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char byte = bytes[i + k];
            if (!isContinuation(byte)) return finish(i);
            cp = (cp << 6) | (byte & 0x3Fu);
        }
        if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return finish(i);
        if (cp >= 0x10000) {
            const char32_t v = cp - 0x10000;
            *to++ = static_cast<char16_t>(0xD800 + (v >> 10));
            *to++ = static_cast<char16_t>(0xDC00 + (v & 0x3FF));
        } else {
            *to++ = static_cast<char16_t>(cp);
        }
        i += length;
    }
    return finish(std::string_view::npos);
}

std::string fromUtf16(std::u16string_view text)
{
    std::string out;
    appendUtf8(text, out);
    return out;
}

void appendUtf8(std::u16string_view text, std::string& out)
{
    const std::size_t base = out.size();
    out.resize(base + text.size() * MaxUtf8PerUnit);
    out.resize(static_cast<std::size_t>(writeUtf8(text, out.data() + base) - out.data()));
}

char* writeUtf8(std::u16string_view text, char* out)
{
    // A pair of surrogates (two units) gives four bytes, any other unit at most three.
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp < 0x80) {
            *out++ = static_cast<char>(cp);
            continue;
        }
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            const bool paired = cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
            cp = paired ? 0x10000 + ((cp - 0xD800) << 10) + (char32_t{text[++i]} - 0xDC00) : 0xFFFD;
        }
        if (cp < 0x800) {
            *out++ = static_cast<char>(0xC0 | (cp >> 6));
        } else if (cp < 0x10000) {
            *out++ = static_cast<char>(0xE0 | (cp >> 12));
            *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        } else {
            *out++ = static_cast<char>(0xF0 | (cp >> 18));
            *out++ = static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            *out++ = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        }
        *out++ = static_cast<char>(0x80 | (cp & 0x3F));
    }
    return out;
}

} // namespace jet4::utf8
