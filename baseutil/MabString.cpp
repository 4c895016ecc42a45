#include "baseutil/MabString.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

int CMabString::GetInt() const {
    long value = GetLong();
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

long CMabString::GetLong() const {
    errno = 0;
    return std::strtol(c_str(), nullptr, 10);
}

double CMabString::GetFloat() const { return std::strtod(c_str(), nullptr); }

int CMabString::Find(const std::string& what, int start) const {
    if (start < 0 || static_cast<size_t>(start) > size())
        return -1;
    size_t pos = find(what, static_cast<size_t>(start));
    return pos == npos ? -1 : static_cast<int>(pos);
}

int CMabString::Find(char what, int start) const { return Find(std::string(1, what), start); }

int CMabString::ReverseFind(char what) const {
    size_t pos = rfind(what);
    return pos == npos ? -1 : static_cast<int>(pos);
}
