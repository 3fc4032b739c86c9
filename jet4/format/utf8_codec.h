#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace jet4::utf8 {

// Appends the UTF-16 form of text to out. Returns the byte offset of the first malformed
// sequence (stray or missing continuation bytes, overlong forms, surrogates, values beyond
// U+10FFFF), or std::string_view::npos when all of text is well-formed; out then holds what
// came before the fault.
[[nodiscard]] std::size_t appendUtf16(std::string_view text, std::u16string& out);

// UTF-8 form of UTF-16 text; an unpaired surrogate becomes U+FFFD.
[[nodiscard]] std::string fromUtf16(std::u16string_view text);
// The same, appended to out.
void appendUtf8(std::u16string_view text, std::string& out);
// The same, written to out, which must have room for MaxUtf8PerUnit bytes per unit of text;
// returns the end of what was written. For a caller that writes many values into one buffer.
constexpr std::size_t MaxUtf8PerUnit = 3;
[[nodiscard]] char* writeUtf8(std::u16string_view text, char* out);

} // namespace jet4::utf8
