#pragma once

#include <cstddef>
#include <string>

namespace station {

// Data of an ADIF log that was skipped: where it starts, counted in bytes from the file's
// beginning, and what was wrong with it.
struct AdifProblem {
    std::size_t offset = 0;
    std::string what;
};

} // namespace station
