#include "tsv_reader.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

TsvReader::TsvReader(const std::filesystem::path& path)
    : m_name(path.string())
{
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored))
        throw std::runtime_error(path.string() + ": cannot read: " + std::strerror(EISDIR));
    std::ifstream in(path, std::ios::binary);
    if (in) m_text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (!in && !in.eof()) throw std::runtime_error(path.string() + ": cannot read: " + std::strerror(errno));
    if (m_text.starts_with("\xEF\xBB\xBF")) m_position = 3;
}

std::optional<std::vector<std::string>> TsvReader::next()
{
    if (m_position >= m_text.size()) return std::nullopt;
    std::size_t end = m_text.find('\n', m_position);
    const std::size_t next = end == std::string::npos ? m_text.size() : end + 1;
    if (end == std::string::npos) end = m_text.size();
    if (end > m_position && m_text[end - 1] == '\r') --end;
    const std::string_view line(m_text.data() + m_position, end - m_position);
    m_position = next;
    ++m_lineNumber;
    if (line.find('\r') != std::string_view::npos)
        throw std::runtime_error(m_name + ":" + std::to_string(m_lineNumber) +
                                 ": carriage return (CR) without a line feed; lines must end in LF or CRLF, not CR "
                                 "alone");

    std::vector<std::string> cells;
    for (std::size_t from = 0;;) {
        const std::size_t tab = line.find('\t', from);
        cells.emplace_back(line.substr(from, tab == std::string_view::npos ? std::string_view::npos : tab - from));
        if (tab == std::string_view::npos) return cells;
        from = tab + 1;
    }
}
