#include "baseutil/MabString.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

int CMabString::GetInt() const {
    return ToInt(*this);
}

long CMabString::GetLong() const {
    return ToLong(*this);
}

int CMabString::ToInt(const std::string& text) {
    long value = ToLong(text);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}

long CMabString::ToLong(const std::string& text) {
    errno = 0;
    return std::strtol(text.c_str(), nullptr, 10);
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
