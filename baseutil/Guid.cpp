#include "baseutil/Guid.h"

#include <cstdint>
#include <random>
#include <sys/random.h>

namespace mb {
namespace {

// Random bytes fetched from the system in blocks: opening a large project
// makes one GUID per entry, and a system call for each was a third of the
// load time.
class RandomBlock {
public:
    // 16 random bytes, or false when the system's source failed.
    bool Take(uint8_t* out) {
        if (m_used + 16 > m_filled && !Refill())
            return false;
        for (int i = 0; i < 16; ++i)
            out[i] = m_bytes[m_used + i];
        m_used += 16;
        return true;
    }

private:
    bool Refill() {
        ssize_t got = getrandom(m_bytes, sizeof m_bytes, 0);
        m_filled = got > 0 ? static_cast<size_t>(got) : 0;
        m_used = 0;
        return m_filled >= 16;
    }

    uint8_t m_bytes[4096];
    size_t m_filled = 0;
    size_t m_used = 0;
};

} // namespace

std::string NewGuidString() {
    thread_local RandomBlock block;
    uint8_t bytes[16];
    if (!block.Take(bytes)) {
        std::random_device device;
        for (auto& b : bytes)
            b = static_cast<uint8_t>(device());
    }
    bytes[6] = static_cast<uint8_t>((bytes[6] & 0x0F) | 0x40); // version 4
    bytes[8] = static_cast<uint8_t>((bytes[8] & 0x3F) | 0x80); // variant 1
    static const char kHex[] = "0123456789ABCDEF";
    char id[38];
    size_t at = 0;
    id[at++] = '{';
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10)
            id[at++] = '-';
        id[at++] = kHex[bytes[i] >> 4];
        id[at++] = kHex[bytes[i] & 0x0F];
    }
    id[at++] = '}';
    return std::string(id, at);
}

} // namespace mb
