#include "adif_log.h"

#include "station/file_bytes.h"

#include <algorithm>
#include <optional>
#include <tuple>

namespace station {

namespace {

constexpr std::size_t LongestLengthDigits = 9;

char upper(char c)
{
    return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c;
}

bool sameName(std::string_view name, std::string_view upperName)
{
    return name.size() == upperName.size() &&
           std::equal(name.begin(), name.end(), upperName.begin(), [](char a, char b) { return upper(a) == b; });
}

bool tagCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// Where "<EOH>" starts, in any case; npos without one.
std::size_t headerEnd(std::string_view bytes)
{
    for (auto at = bytes.find('<'); at != std::string_view::npos; at = bytes.find('<', at + 1))
        if (sameName(bytes.substr(at, 5), "<EOH>")) return at;
    return std::string_view::npos;
}

// The call in capitals; empty when it holds anything but letters, digits and "/".
std::string callSign(std::string_view value)
{
    while (!value.empty() && value.front() == ' ')
        value.remove_prefix(1);
    while (!value.empty() && value.back() == ' ')
        value.remove_suffix(1);
    std::string call;
    for (const char c : value) {
        const char u = upper(c);
        if (!((u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '/')) return {};
        call += u;
    }
    return call;
}

// The record being read: its fields as far as they are known, and where it started.
struct PendingRecord {
    std::size_t start = 0;
    bool hasFields = false;
    std::optional<std::string_view> call;
    AdifContact contact;
    std::string nameIntl;
    std::string qthIntl;

    void set(std::string_view name, std::string_view value)
    {
        hasFields = true;
        const auto is = [&](std::string_view upperName) { return sameName(name, upperName); };
        if (is("CALL"))
            call = value;
        else if (is("QSO_DATE"))
            contact.date = value;
        else if (is("TIME_ON"))
            contact.time = value;
        else if (is("BAND"))
            contact.band = value;
        else if (is("MODE"))
            contact.mode = value;
        else if (is("NAME"))
            contact.name = value;
        else if (is("QTH"))
            contact.qth = value;
        else if (is("NAME_INTL"))
            nameIntl = value;
        else if (is("QTH_INTL"))
            qthIntl = value;
    }
};

} // namespace

AdifLog AdifLog::load(const std::filesystem::path& path)
{
    return parse(fileBytes(path, "the ADIF log"));
}

void AdifLog::report(std::size_t offset, std::string what)
{
    ++m_problemCount;
    if (m_problems.size() < KeptProblems) m_problems.push_back(AdifProblem{offset, std::move(what)});
}

void AdifLog::add(std::string call, AdifContact contact)
{
    ++m_records;
    const auto [found, inserted] = m_lastContacts.try_emplace(std::move(call));
    AdifContact& last = found->second;
    // Of two contacts at the same time, the later one in the log wins.
    if (inserted || std::tie(contact.date, contact.time) >= std::tie(last.date, last.time)) last = std::move(contact);
}

AdifLog AdifLog::parse(std::string_view bytes)
{
    AdifLog log;
    std::size_t position = 0;
    if (!bytes.empty() && bytes.front() != '<') {
        const std::size_t eoh = headerEnd(bytes);
        if (eoh == std::string_view::npos)
            log.report(0, "the header has no <EOH>");
        else
            position = eoh + 5;
    }

    PendingRecord record;
    const auto finish = [&] {
        if (!record.call) {
            log.report(record.start, "a record without CALL");
        } else if (const std::string call = callSign(*record.call); call.empty()) {
            log.report(record.start, "a record whose CALL is not a call sign");
        } else {
            if (record.contact.name.empty()) record.contact.name = std::move(record.nameIntl);
            if (record.contact.qth.empty()) record.contact.qth = std::move(record.qthIntl);
            log.add(call, std::move(record.contact));
        }
    };

    while (true) {
        const std::size_t open = bytes.find('<', position);
        if (open == std::string_view::npos) break;
        std::size_t at = open + 1;
        while (at < bytes.size() && tagCharacter(bytes[at]))
            ++at;
        const std::string_view name = bytes.substr(open + 1, at - open - 1);
        if (at >= bytes.size() || name.empty() || (bytes[at] != ':' && bytes[at] != '>')) {
            log.report(open, "a damaged tag");
            position = open + 1;
            continue;
        }
        if (!record.hasFields) record.start = open;

        if (bytes[at] == '>') {
            position = at + 1;
            if (sameName(name, "EOR")) {
                if (record.hasFields)
                    finish();
                else
                    log.report(open, "<EOR> without a record");
                record = PendingRecord{};
            } else if (!sameName(name, "EOH")) {
                log.report(open, "a field without a length");
            }
            continue;
        }

        // <NAME:LENGTH> or <NAME:LENGTH:TYPE>
        std::size_t length = 0;
        std::size_t digits = 0;
        for (++at; at < bytes.size() && bytes[at] >= '0' && bytes[at] <= '9' && digits <= LongestLengthDigits;
             ++at, ++digits)
            length = length * 10 + std::size_t(bytes[at] - '0');
        if (at < bytes.size() && bytes[at] == ':') {
            ++at;
            while (at < bytes.size() && tagCharacter(bytes[at]))
                ++at;
        }
        if (digits == 0 || digits > LongestLengthDigits || at >= bytes.size() || bytes[at] != '>') {
            log.report(open, "a bad length");
            position = open + 1;
            continue;
        }
        const std::size_t data = at + 1;
        if (length > bytes.size() - data) {
            log.report(open, "a field that runs past the end of the file");
            position = bytes.size();
            break;
        }
        position = data + length;
        if (record.call && sameName(name, "CALL")) {
            // The next record began before this one ended.
            log.report(record.start, "a record without <EOR>");
            record = PendingRecord{};
            record.start = open;
        }
        record.set(name, bytes.substr(data, length));
    }
    if (record.hasFields) log.report(record.start, "a record without <EOR> at the end of the file");
    return log;
}

const AdifContact* AdifLog::lastContact(std::string_view call) const
{
    const std::string key = callSign(call);
    if (key.empty()) return nullptr;
    const auto found = m_lastContacts.find(key);
    return found == m_lastContacts.end() ? nullptr : &found->second;
}

} // namespace station
