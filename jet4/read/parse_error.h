#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace jet4 {

// Raised inside the library when the bytes of a file make no sense. A plain ParseError carries
// only the reason ("row too short"); the code that knows which page it was reading adds that by
// turning it into a PageDamage. Database finally prefixes the file name and throws jet4::Error.
class ParseError : public std::runtime_error {
public:
    explicit ParseError(const std::string& what)
        : std::runtime_error(what)
    {
    }
};

// A ParseError whose message already says where the damage is; wrappers pass it on unchanged.
class LocatedError : public ParseError {
public:
    using ParseError::ParseError;
};

// "corrupt page 17: row 3 lies outside the page"
class PageDamage : public LocatedError {
public:
    PageDamage(std::uint32_t page, const std::string& what)
        : LocatedError("corrupt page " + std::to_string(page) + ": " + what)
    {
    }
};

// The file ended before a page the structure needs (also a file cut short while we read it).
class FileTruncated : public LocatedError {
public:
    FileTruncated()
        : LocatedError("truncated")
    {
    }
};

// Runs f; a reason-only ParseError out of it becomes damage of `page`.
template <class F> decltype(auto) onPage(std::uint32_t page, F&& f)
{
    try {
        return f();
    } catch (const LocatedError&) {
        throw;
    } catch (const ParseError& e) {
        throw PageDamage(page, e.what());
    }
}

} // namespace jet4
