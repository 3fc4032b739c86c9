#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace phrase_data {

// A set of the index's cells, one bit a cell: a search marks what each query word matches and
// combines the words a machine word at a time.
class CellSet {
public:
    explicit CellSet(std::size_t cells)
        : m_words((cells + 63) / 64)
    {
    }

    void insert(std::uint64_t cell) { m_words[cell >> 6] |= std::uint64_t(1) << (cell & 63); }
    [[nodiscard]] bool contains(std::uint64_t cell) const { return (m_words[cell >> 6] >> (cell & 63)) & 1; }

    void unite(const CellSet& other)
    {
        for (std::size_t i = 0; i < m_words.size(); ++i)
            m_words[i] |= other.m_words[i];
    }
    void intersect(const CellSet& other)
    {
        for (std::size_t i = 0; i < m_words.size(); ++i)
            m_words[i] &= other.m_words[i];
    }
    void subtract(const CellSet& other)
    {
        for (std::size_t i = 0; i < m_words.size(); ++i)
            m_words[i] &= ~other.m_words[i];
    }

    // The count (1 to 64) cells from first on, as bits, the first lowest.
    [[nodiscard]] std::uint64_t bitsAt(std::uint64_t first, unsigned count) const
    {
        const std::size_t word = first >> 6;
        const unsigned shift = first & 63;
        std::uint64_t bits = m_words[word] >> shift;
        if (shift != 0 && shift + count > 64 && word + 1 < m_words.size()) bits |= m_words[word + 1] << (64 - shift);
        return count == 64 ? bits : bits & ((std::uint64_t(1) << count) - 1);
    }

    // The first cell of the set from `from` on, or end when there is none before end.
    [[nodiscard]] std::uint64_t next(std::uint64_t from, std::uint64_t end) const
    {
        if (from >= end) return end;
        std::size_t word = from >> 6;
        std::uint64_t bits = m_words[word] & (~std::uint64_t(0) << (from & 63));
        while (bits == 0) {
            if (++word >= m_words.size() || word * 64 >= end) return end;
            bits = m_words[word];
        }
        const std::uint64_t cell = word * 64 + unsigned(std::countr_zero(bits));
        return cell < end ? cell : end;
    }

private:
    std::vector<std::uint64_t> m_words;
};

} // namespace phrase_data
