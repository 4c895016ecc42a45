#include "app/core/CompileFiles.h"

#include "projectmodel/ProjectFile.h"

#include <cstdint>
#include <cstdio>

namespace mb {
namespace {

bool IsPlain(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_';
}

// FNV-1a: a short, stable checksum that keeps titles apart which read the
// same in ASCII.
std::uint32_t Checksum(const std::string& text) {
    std::uint32_t hash = 2166136261u;
    for (unsigned char c : text)
        hash = (hash ^ c) * 16777619u;
    return hash;
}

} // namespace

std::string CompileStem(const std::string& title) {
    std::string plain;
    bool changed = title.empty();
    for (unsigned char c : title) {
        if (IsPlain(c))
            plain += static_cast<char>(c);
        else if (c < 0x80)
            plain += '_', changed = true;
        else
            changed = true;
    }
    if (changed) {
        char checksum[16];
        std::snprintf(checksum, sizeof checksum, "%s%08x", plain.empty() ? "" : "-",
                      static_cast<unsigned>(Checksum(title)));
        plain += checksum;
    }
    return ".mb-compile-" + plain;
}

CompileFiles CompileFiles::Of(const CProjectFile& project) {
    CompileFiles files;
    files.stem = CompileStem(project.GetProjectFileTitle());
    const std::string base = project.GetProjectFolder() + files.stem;
    files.hhp = base + ".hhp";
    files.hhc = base + ".hhc";
    files.hhk = base + ".hhk";
    files.chm = base + ".chm";
    files.lock = base + ".lock";
    files.target = project.GetCHMFileName();
    files.mbk = project.GetMBKFileName();
    files.mbkmbk = project.GetMBKMBKFileName();
    return files;
}

} // namespace mb
