#pragma once

#include "page_reader.h"

#include <cstdint>
#include <vector>

namespace jet4 {

// A usage map: a row that lists pages as a bitmap, either inline (type 0) or through bitmap pages
// (type 1). Tables name the pages that hold their rows this way.
class UsageMap {
public:
    // The pages the map row at pgRow (a stored RowPointer) lists, ascending and each once. Every page
    // is checked to lie inside the file. Throws PageDamage naming the map's page, or a ParseError
    // when pgRow itself leads nowhere.
    [[nodiscard]] static std::vector<std::uint32_t> pages(const PageReader& reader, std::uint32_t pgRow);
};

} // namespace jet4
