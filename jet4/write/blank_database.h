#pragma once

#include <cstdint>
#include <span>

namespace jet4::writing {

// The empty database the Jet engine writes for a new file (jet4/write/blank/NOTICE.md says where it
// comes from), embedded at build time. Every database the writer makes starts as a copy of it.
[[nodiscard]] std::span<const std::uint8_t> blankDatabase();

} // namespace jet4::writing
