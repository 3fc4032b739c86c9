#pragma once

#include "code_page_decoder.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace jet4 {

// Turns the stored bytes of a Text or Memo value into UTF-16. Jet 4 stores UTF-16LE, or the
// "compressed" form that starts FF FE; Jet 3 stores the database code page.
class TextDecoder {
public:
    // For Jet 4, codePage is null.
    explicit TextDecoder(const CodePageDecoder* codePage)
        : m_codePage(codePage)
    {
    }

    // An upper bound on the units decode() writes for these bytes.
    [[nodiscard]] std::size_t maxChars(std::span<const std::uint8_t> bytes) const;
    // Writes the text to out (room for maxChars(bytes) units) and returns its length.
    std::size_t decode(std::span<const std::uint8_t> bytes, char16_t* out) const;
    [[nodiscard]] std::u16string decode(std::span<const std::uint8_t> bytes) const;
    // Object and column names: Jet 4 writes them as plain UTF-16 (never compressed), Jet 3 in the
    // code page.
    [[nodiscard]] std::u16string decodeName(std::span<const std::uint8_t> bytes) const;

private:
    const CodePageDecoder* m_codePage;
};

} // namespace jet4
