#include "term_table.h"

#include <algorithm>
#include <numeric>

namespace phrase_data {

void TermTable::add(const std::u16string& term, std::uint32_t cell)
{
    const auto [it, added] = m_ids.try_emplace(term, std::uint32_t(m_terms.size()));
    if (added) {
        m_terms.push_back(term);
        m_cells.emplace_back();
    }
    std::vector<std::uint32_t>& cells = m_cells[it->second];
    if (cells.empty() || cells.back() != cell) cells.push_back(cell);
}

void TermTable::finish()
{
    m_ids = {};
    std::vector<std::size_t> order(m_terms.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return m_terms[a] < m_terms[b]; });
    std::vector<std::u16string> terms;
    std::vector<std::vector<std::uint32_t>> cells;
    terms.reserve(order.size());
    cells.reserve(order.size());
    for (const std::size_t i : order) {
        terms.push_back(std::move(m_terms[i]));
        cells.push_back(std::move(m_cells[i]));
        cells.back().shrink_to_fit();
    }
    m_terms = std::move(terms);
    m_cells = std::move(cells);
}

const std::vector<std::uint32_t>* TermTable::find(std::u16string_view term) const
{
    const auto it = std::lower_bound(m_terms.begin(), m_terms.end(), term);
    return it != m_terms.end() && *it == term ? &m_cells[std::size_t(it - m_terms.begin())] : nullptr;
}

void TermTable::match(std::u16string_view word, bool fuzzy, std::vector<Match>& out) const
{
    // The words it starts lie together in sorted order; a word one edit away can lie anywhere.
    const auto first = std::lower_bound(m_terms.begin(), m_terms.end(), word);
    auto last = first;
    for (; last != m_terms.end() && last->starts_with(word); ++last)
        out.push_back({&m_cells[std::size_t(last - m_terms.begin())], *kindOf(word, *last, false)});
    if (!fuzzy) return;
    for (std::size_t i = 0; i < m_terms.size(); ++i)
        if (kindOf(word, m_terms[i], true) == MatchKind::Fuzzy) out.push_back({&m_cells[i], MatchKind::Fuzzy});
}

std::optional<MatchKind> TermTable::kindOf(std::u16string_view word, std::u16string_view term, bool fuzzy)
{
    if (term.starts_with(word)) return term.size() == word.size() ? MatchKind::Exact : MatchKind::Prefix;
    if (fuzzy && (word.size() > ShortWord || term.size() == word.size() + 1) && withinOneEdit(word, term))
        return MatchKind::Fuzzy;
    return std::nullopt;
}

bool TermTable::withinOneEdit(std::u16string_view a, std::u16string_view b)
{
    if (a.size() > b.size()) std::swap(a, b);
    if (b.size() - a.size() > 1) return false;
    std::size_t i = 0;
    while (i < a.size() && a[i] == b[i])
        ++i;
    if (i == a.size()) return true;
    if (a.size() < b.size()) return a.substr(i) == b.substr(i + 1);
    if (a.substr(i + 1) == b.substr(i + 1)) return true;
    return i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] && a.substr(i + 2) == b.substr(i + 2);
}

std::size_t TermTable::memoryBytes() const
{
    std::size_t bytes =
        m_terms.capacity() * sizeof(std::u16string) + m_cells.capacity() * sizeof(decltype(m_cells)::value_type);
    for (const std::u16string& term : m_terms)
        bytes += term.capacity() > 7 ? (term.capacity() + 1) * sizeof(char16_t) : 0;
    for (const auto& cells : m_cells)
        bytes += cells.capacity() * sizeof(std::uint32_t);
    return bytes;
}

} // namespace phrase_data
