#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace jet4::writing {

// A zero-filled byte buffer that grows in place up to a fixed limit, for the tens of megabytes
// of pages a large table needs. It reserves its address range once and asks for transparent huge
// pages: on the virtual machines we build on, faulting in fresh memory 4 KB at a time costs more
// than all the rest of the writing. Growing never moves the bytes, so spans stay valid.
class HugePageBuffer {
public:
    explicit HugePageBuffer(std::size_t limit);
    HugePageBuffer(HugePageBuffer&& other) noexcept;
    HugePageBuffer& operator=(HugePageBuffer&& other) noexcept;
    HugePageBuffer(const HugePageBuffer&) = delete;
    HugePageBuffer& operator=(const HugePageBuffer&) = delete;
    ~HugePageBuffer();

    // Sets the size; bytes added are zero. Throws std::bad_alloc past the limit or when the
    // system refuses the memory.
    void resize(std::size_t size);
    [[nodiscard]] std::size_t size() const { return m_size; }
    [[nodiscard]] std::span<std::uint8_t> bytes() { return {m_data, m_size}; }
    [[nodiscard]] std::span<const std::uint8_t> bytes() const { return {m_data, m_size}; }

private:
    void release() noexcept;

    void* m_mapping = nullptr;
    std::size_t m_mappingSize = 0;
    std::uint8_t* m_data = nullptr; // m_mapping aligned to a huge page
    std::size_t m_limit = 0;
    std::size_t m_committed = 0; // bytes made writable so far
    std::size_t m_size = 0;
};

} // namespace jet4::writing
