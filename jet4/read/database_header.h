#pragma once

#include "jet4/format/jet_layout.h"
#include "page_source.h"

#include <cstdint>

namespace jet4 {

// Page 0: which format the file is in, and the code page Jet 3 text is written in.
class DatabaseHeader {
public:
    // Checks the magic, the version byte, the database key and that the file holds at least the
    // pages every database has. Throws ParseError ("not a Jet database", "truncated", ...).
    [[nodiscard]] static DatabaseHeader read(const PageSource& source);

    [[nodiscard]] const JetLayout& layout() const { return *m_layout; }
    [[nodiscard]] std::uint16_t codePage() const { return m_codePage; }

private:
    DatabaseHeader(const JetLayout& layout, std::uint16_t codePage)
        : m_layout(&layout)
        , m_codePage(codePage)
    {
    }

    const JetLayout* m_layout;
    std::uint16_t m_codePage;
};

} // namespace jet4
