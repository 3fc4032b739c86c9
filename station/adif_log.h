#pragma once

#include "station/adif_contact.h"
#include "station/adif_problem.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace station {

// An ADIF 3.1 log in its ADI form, indexed by call sign: the last contact with each station.
//
// A file that does not start with "<" has a header up to <EOH>. Each field is
// <NAME:LENGTH[:TYPE]> followed by LENGTH bytes; tag names are read in any case; a record ends
// with <EOR>. Lengths count bytes, so the UTF-8 of the _INTL fields that loggers write into ADI
// files reads as it is. Malformed data is skipped and reported with its byte offset: a bad tag or
// length, a record without <EOR> (the next record's CALL arrives first, or the file ends), a field
// that runs past the end of the file.
class AdifLog {
public:
    // At most this many problems are kept; the rest are counted.
    static constexpr std::size_t KeptProblems = 100;

    [[nodiscard]] static AdifLog parse(std::string_view bytes);
    // Throws StationError naming the file when it cannot be read.
    [[nodiscard]] static AdifLog load(const std::filesystem::path& path);

    // The last contact with call (in any case), or none.
    [[nodiscard]] const AdifContact* lastContact(std::string_view call) const;

    [[nodiscard]] std::size_t stationCount() const { return m_lastContacts.size(); }
    [[nodiscard]] std::size_t recordCount() const { return m_records; }
    [[nodiscard]] const std::vector<AdifProblem>& problems() const { return m_problems; }
    [[nodiscard]] std::size_t problemCount() const { return m_problemCount; }

private:
    void report(std::size_t offset, std::string what);
    // Keeps contact as the call's last one unless the log holds a later one.
    void add(std::string call, AdifContact contact);

    std::unordered_map<std::string, AdifContact> m_lastContacts;
    std::size_t m_records = 0;
    std::vector<AdifProblem> m_problems;
    std::size_t m_problemCount = 0;
};

} // namespace station
