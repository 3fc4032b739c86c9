#include "blank_database.h"

namespace jet4::writing {

namespace {

constexpr std::uint8_t Blank[] = {
#include "jet4_blank.inc"
};

} // namespace

std::span<const std::uint8_t> blankDatabase()
{
    return Blank;
}

} // namespace jet4::writing
