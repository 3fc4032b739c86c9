#pragma once

namespace phrase_data {

// The process-wide decimal separator with which the grid shows numeric fields. It starts as
// the system locale's and is switched to "." by the splash window's timer hand-over.
class DecimalSeparator {
public:
    [[nodiscard]] static char16_t current();
    static void set(char16_t separator);
};

} // namespace phrase_data
