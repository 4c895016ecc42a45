#pragma once
// Bounds-checked reading of the little-endian records inside the streams of
// a compiled help file. Every read names its offset and fails, rather than
// reading past the end, when the data is shorter than the record: streams
// come from files of unknown origin.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mb::chm {

class ByteView {
public:
    ByteView() = default;
    explicit ByteView(std::string_view data) : m_data(data) {}

    size_t Size() const { return m_data.size(); }
    bool Has(size_t offset, size_t length) const {
        return offset <= m_data.size() && length <= m_data.size() - offset;
    }
    // False, leaving `value` alone, when the bytes are not all there.
    bool U16(size_t offset, uint16_t& value) const;
    bool U32(size_t offset, uint32_t& value) const;
    // The 32-bit number at `offset`, or `fallback` when it is not all there.
    uint32_t U32Or(size_t offset, uint32_t fallback) const;
    // The bytes from `offset` up to the next NUL or the end; empty when
    // `offset` lies outside.
    std::string CString(size_t offset) const;
    // The UTF-16LE text from `offset` up to the next NUL character; `end`
    // receives the offset behind the NUL (or Size() when there is none).
    std::u16string WideString(size_t offset, size_t& end) const;

private:
    std::string_view m_data;
};

// UTF-16 text as UTF-8; unpaired surrogates become U+FFFD.
std::string ToUtf8(std::u16string_view text);

} // namespace mb::chm
