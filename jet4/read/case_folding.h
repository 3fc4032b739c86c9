#pragma once

#include <string_view>

// Jet compares object names without regard to case (its catalog index on the name is case-blind).
namespace jet4::caseFolding {

// Simple case folding of one code unit: Latin (ASCII, Latin-1, Extended-A and Additional), Greek,
// Cyrillic, Armenian and the full-width Latin letters. Other units stay as they are.
[[nodiscard]] char16_t fold(char16_t unit);
[[nodiscard]] bool equalIgnoringCase(std::u16string_view a, std::u16string_view b);

} // namespace jet4::caseFolding
