#pragma once
// The string type of the XML tree's getters: a std::string with the few
// conversions and searches its callers use.

#include <string>

class CMabString : public std::string {
public:
    CMabString() = default;
    CMabString(const char* text) : std::string(text ? text : "") {}
    CMabString(const std::string& text) : std::string(text) {}
    CMabString(std::string&& text) : std::string(std::move(text)) {}

    // Leading blanks and an optional sign, then decimal digits; 0 when there
    // are none. Values outside the type's range saturate.
    int GetInt() const;
    long GetLong() const;
    // The same for any string.
    static int ToInt(const std::string& text);
    static long ToLong(const std::string& text);
    double GetFloat() const;

    // Position of the first occurrence at or after `start`, or -1.
    int Find(const std::string& what, int start = 0) const;
    int Find(char what, int start = 0) const;
    // Position of the last occurrence, or -1.
    int ReverseFind(char what) const;

    bool IsEmpty() const { return empty(); }
    int GetLength() const { return static_cast<int>(size()); }
};
