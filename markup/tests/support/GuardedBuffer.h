#pragma once
// A copy of some bytes placed directly against an inaccessible memory page,
// so that reading one byte past the end (or, with Side::Before, one byte
// before the start) crashes the test even without a sanitizer.

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <stdexcept>
#include <string_view>

namespace mb::testing {

class GuardedBuffer {
public:
    enum class Side { After, Before };

    GuardedBuffer(std::string_view data, Side guard) {
        const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        const std::size_t dataPages = (data.size() + page - 1) / page;
        m_size = (dataPages + 1) * page;
        void* block =
            mmap(nullptr, m_size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED)
            throw std::runtime_error("mmap failed");
        m_block = static_cast<char*>(block);
        if (guard == Side::After) {
            mprotect(m_block + dataPages * page, page, PROT_NONE);
            m_data = m_block + dataPages * page - data.size();
        } else {
            mprotect(m_block, page, PROT_NONE);
            m_data = m_block + page;
        }
        std::memcpy(m_data, data.data(), data.size());
        m_length = data.size();
    }
    ~GuardedBuffer() { munmap(m_block, m_size); }
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    std::string_view View() const { return std::string_view(m_data, m_length); }

private:
    char* m_block = nullptr;
    char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_length = 0;
};

} // namespace mb::testing
