#include "huge_page_buffer.h"

#include <algorithm>
#include <cstdint>
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

// A fresh, zero-filled mapping of size bytes that starts at a huge-page boundary; null when the
// system refuses it.
std::uint8_t* mapAligned(std::size_t size)
{
    const std::size_t padded = size + HugePage;
    void* mapping = ::mmap(nullptr, padded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (mapping == MAP_FAILED) return nullptr;
    auto* const start = static_cast<std::uint8_t*>(mapping);
    const auto address = reinterpret_cast<std::uintptr_t>(mapping);
    const std::size_t head = roundUp(address, HugePage) - address;
    std::uint8_t* const aligned = start + head;
    if (head != 0) ::munmap(start, head);
    if (const std::size_t tail = padded - head - size; tail != 0) ::munmap(aligned + size, tail);
    return aligned;
}

} // namespace

HugePageBuffer::HugePageBuffer(std::size_t limit)
    : m_limit(roundUp(limit, HugePage))
{
}

HugePageBuffer::HugePageBuffer(HugePageBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr))
    , m_capacity(std::exchange(other.m_capacity, 0))
    , m_limit(std::exchange(other.m_limit, 0))
    , m_size(std::exchange(other.m_size, 0))
{
}

HugePageBuffer& HugePageBuffer::operator=(HugePageBuffer&& other) noexcept
{
    if (this != &other) {
        release();
        m_data = std::exchange(other.m_data, nullptr);
        m_capacity = std::exchange(other.m_capacity, 0);
        m_limit = std::exchange(other.m_limit, 0);
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
    if (m_data) ::munmap(m_data, m_capacity);
    m_data = nullptr;
    m_capacity = 0;
}

void HugePageBuffer::resize(std::size_t size)
{
    if (size > m_limit) throw std::bad_alloc();
    // Twice what is needed, so that growth costs a logarithmic number of calls and copies.
    if (size > m_capacity) grow(std::min(m_limit, roundUp(std::max(size, 2 * m_capacity), HugePage)));
    if (size < m_size) std::fill(m_data + size, m_data + m_size, std::uint8_t{0}); // so that growing again gives zeros
    m_size = size;
}

void HugePageBuffer::grow(std::size_t capacity)
{
    // In place where the addresses after the mapping are free, else a new mapping and a copy.
    if (m_data && ::mremap(m_data, m_capacity, capacity, 0) != MAP_FAILED) {
        // Only a hint: without huge pages the buffer works the same, just more slowly.
        ::madvise(m_data + m_capacity, capacity - m_capacity, MADV_HUGEPAGE);
        m_capacity = capacity;
        return;
    }
    std::uint8_t* data = mapAligned(capacity);
    if (!data) throw std::bad_alloc();
    ::madvise(data, capacity, MADV_HUGEPAGE);
    std::copy(m_data, m_data + m_size, data);
    release();
    m_data = data;
    m_capacity = capacity;
}

} // namespace jet4::writing
