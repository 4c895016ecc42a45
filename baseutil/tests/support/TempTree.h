#pragma once
// A scratch folder for tests that touch the file system, removed with
// everything in it when the object goes out of scope.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace mb::testing {

class TempTree {
public:
    TempTree() {
        std::string pattern = (std::filesystem::temp_directory_path() / "mbpathsXXXXXX").string();
        if (mkdtemp(pattern.data()))
            m_root = pattern;
    }
    ~TempTree() {
        std::error_code ec;
        if (!m_root.empty())
            std::filesystem::remove_all(m_root, ec);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::string& Root() const { return m_root; }
    std::string operator/(const std::string& relative) const { return m_root + "/" + relative; }

    // Writes a file (binary, exact bytes), creating its folders.
    std::string Write(const std::string& relative, const std::string& content) const {
        std::string path = *this / relative;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::string MakeFolder(const std::string& relative) const {
        std::string path = *this / relative;
        std::filesystem::create_directories(path);
        return path;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::string m_root;
};

} // namespace mb::testing
