#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace jet4::writing {

// A zero-filled byte buffer that grows up to a fixed limit, for the tens of megabytes of pages a
// large table needs. It asks for transparent huge pages: on the virtual machines we build on,
// faulting in fresh memory 4 KB at a time costs more than all the rest of the writing. Its
// address space grows with it, doubling, so that a small file takes little of it (a process
// under `ulimit -v` can still save); growing may move the bytes, and spans taken before a
// resize() are no longer valid.
class HugePageBuffer {
public:
    explicit HugePageBuffer(std::size_t limit);
    HugePageBuffer(HugePageBuffer&& other) noexcept;
    HugePageBuffer& operator=(HugePageBuffer&& other) noexcept;
    HugePageBuffer(const HugePageBuffer&) = delete;
    HugePageBuffer& operator=(const HugePageBuffer&) = delete;
    ~HugePageBuffer();

    // Sets the size; bytes added are zero. Throws std::bad_alloc past the limit or when the
    // system refuses the memory, leaving the buffer as it was.
    void resize(std::size_t size);
    [[nodiscard]] std::size_t size() const { return m_size; }
    [[nodiscard]] std::span<std::uint8_t> bytes() { return {m_data, m_size}; }
    [[nodiscard]] std::span<const std::uint8_t> bytes() const { return {m_data, m_size}; }

private:
    void grow(std::size_t capacity);
    void release() noexcept;

    std::uint8_t* m_data = nullptr; // a mapping that starts at a huge-page boundary
    std::size_t m_capacity = 0;     // bytes mapped
    std::size_t m_limit = 0;
    std::size_t m_size = 0;
};

} // namespace jet4::writing
