#include "huge_page_buffer.h"

#include <algorithm>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace jet4::writing {

namespace {

constexpr std::size_t HugePage = std::size_t{2} << 20;

std::size_t roundUp(std::size_t value, std::size_t step)
{
    return (value + step - 1) / step * step;
}

} // namespace

HugePageBuffer::HugePageBuffer(std::size_t limit)
    : m_limit(roundUp(limit, HugePage))
{
    // Address space only: nothing is committed until resize() opens it for writing.
    m_mappingSize = m_limit + HugePage;
    m_mapping = ::mmap(nullptr, m_mappingSize, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (m_mapping == MAP_FAILED) {
        m_mapping = nullptr;
        throw std::bad_alloc();
    }
    m_data = static_cast<std::uint8_t*>(m_mapping) + (roundUp(reinterpret_cast<std::uintptr_t>(m_mapping), HugePage) -
                                                      reinterpret_cast<std::uintptr_t>(m_mapping));
}

HugePageBuffer::HugePageBuffer(HugePageBuffer&& other) noexcept
    : m_mapping(std::exchange(other.m_mapping, nullptr))
    , m_mappingSize(std::exchange(other.m_mappingSize, 0))
    , m_data(std::exchange(other.m_data, nullptr))
    , m_limit(std::exchange(other.m_limit, 0))
    , m_committed(std::exchange(other.m_committed, 0))
    , m_size(std::exchange(other.m_size, 0))
{
}

HugePageBuffer& HugePageBuffer::operator=(HugePageBuffer&& other) noexcept
{
    if (this != &other) {
        release();
        m_mapping = std::exchange(other.m_mapping, nullptr);
        m_mappingSize = std::exchange(other.m_mappingSize, 0);
        m_data = std::exchange(other.m_data, nullptr);
        m_limit = std::exchange(other.m_limit, 0);
        m_committed = std::exchange(other.m_committed, 0);
        m_size = std::exchange(other.m_size, 0);
    }
    return *this;
}

HugePageBuffer::~HugePageBuffer()
{
    release();
}

void HugePageBuffer::release() noexcept
{
    if (m_mapping) ::munmap(m_mapping, m_mappingSize);
    m_mapping = nullptr;
}

void HugePageBuffer::resize(std::size_t size)
{
    if (size > m_limit) throw std::bad_alloc();
    if (size < m_size) std::fill(m_data + size, m_data + m_size, std::uint8_t{0}); // so that growing again gives zeros
    if (size > m_committed) {
        // Open twice what is needed, so that growth costs a logarithmic number of calls.
        const std::size_t committed = std::min(m_limit, roundUp(std::max(size, 2 * m_committed), HugePage));
        if (::mprotect(m_data + m_committed, committed - m_committed, PROT_READ | PROT_WRITE) != 0)
            throw std::bad_alloc();
        // Only a hint: without huge pages the buffer works the same, just more slowly.
        ::madvise(m_data + m_committed, committed - m_committed, MADV_HUGEPAGE);
        m_committed = committed;
    }
    m_size = size;
}

} // namespace jet4::writing
