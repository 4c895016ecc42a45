#pragma once
// Paths given on the command line, made absolute against the working
// folder.
#include <filesystem>
#include <string>

namespace mb::cli {

inline std::string Absolute(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

} // namespace mb::cli
