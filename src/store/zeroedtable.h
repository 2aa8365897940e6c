#pragma once
#include <cstddef>
#include <new>
#include <stdexcept>
#include <type_traits>
#include <utility>

// A table of a fixed number of records whose unassigned state is all zero bytes, in memory
// that comes zeroed from the system. Every slot up to the capacity exists from the start, yet
// a table sized to its capacity costs only the pages of the records written: an empty ledger
// or one of a few entries opens without filling thirty thousand slots first.
namespace ZeroedMemory {
// Zeroed bytes, backed by memory only where they are written; large blocks in large pages
// where the system offers them, so that filling a full table takes a few faults, not
// thousands. Null when there is no memory.
void* allocate(std::size_t bytes);
void release(void* block, std::size_t bytes);
} // namespace ZeroedMemory

template <typename T> class ZeroedTable {
    static_assert(std::is_trivially_copyable_v<T> && std::is_trivially_destructible_v<T>,
                  "records are copied as bytes and never destroyed one by one");

public:
    ZeroedTable() = default;
    explicit ZeroedTable(std::size_t size)
        : m_data(static_cast<T*>(ZeroedMemory::allocate(size * sizeof(T)))), m_size(size) {
        if (size > 0 && !m_data) throw std::bad_alloc();
    }
    ~ZeroedTable() { ZeroedMemory::release(m_data, m_size * sizeof(T)); }
    ZeroedTable(ZeroedTable&& other) noexcept
        : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)) {}
    ZeroedTable& operator=(ZeroedTable&& other) noexcept {
        if (this != &other) {
            ZeroedMemory::release(m_data, m_size * sizeof(T));
            m_data = std::exchange(other.m_data, nullptr);
            m_size = std::exchange(other.m_size, 0);
        }
        return *this;
    }
    ZeroedTable(const ZeroedTable&) = delete;
    ZeroedTable& operator=(const ZeroedTable&) = delete;

    std::size_t size() const { return m_size; }
    T& operator[](std::size_t i) { return m_data[i]; }
    const T& operator[](std::size_t i) const { return m_data[i]; }
    const T& at(std::size_t i) const {
        if (i >= m_size) throw std::out_of_range("ZeroedTable::at");
        return m_data[i];
    }
    T* data() { return m_data; }
    const T* data() const { return m_data; }
    T* begin() { return m_data; }
    T* end() { return m_data + m_size; }
    const T* begin() const { return m_data; }
    const T* end() const { return m_data + m_size; }

private:
    T* m_data = nullptr;
    std::size_t m_size = 0;
};
