#pragma once

#include <cstdint>

namespace jet4 {

// The two database formats: Jet 3 (Access 97) and Jet 4 (Access 2000 to 2003).
enum class Format : std::uint8_t { Jet3, Jet4 };

} // namespace jet4
