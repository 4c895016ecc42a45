#pragma once
// The value of one hexadecimal digit, as percent escapes, colour values and
// numeric character references write it.

namespace mb {

// 0 to 15 for 0-9, a-f and A-F; -1 for anything else.
constexpr int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace mb
