#include "app/core/CompileFiles.h"

#include "projectmodel/CompilerText.h"
#include "projectmodel/HHPRecords.h"
#include "projectmodel/ProjectCopyName.h"
#include "projectmodel/ProjectFile.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace mb {
namespace {

constexpr const char* kStemPrefix = ".mb-compile-";

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

// The title in plain ASCII characters, with a checksum when that changed it.
std::string PlainForm(const std::string& title) {
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
    return plain;
}

// Whether the compiler reads `encoded` back, from an option or a quoted item
// of the window definition, as the very file name it is, and viewers can ask
// for the stream by it.
bool ReadsBackWhole(const std::string& encoded) {
    if (encoded.empty() || encoded.front() == ' ' || encoded.back() == ' ')
        return false;
    for (unsigned char c : encoded) {
        if (c < 0x20 || c == 0x7f || std::strchr("\\/:*?\"<>|,;#%", c))
            return false;
    }
    return true;
}

// A file name as the compiler reads it from the project text.
std::string CompilerBytes(const std::string& name, int languageId) {
    return EncodeForLanguage(name, languageId).bytes;
}

} // namespace

std::string CompileStem(const std::string& title) {
    return kStemPrefix + PlainForm(title);
}

std::string CompilerName(const std::string& title, int languageId) {
    EncodedText encoded = EncodeForLanguage(title, languageId);
    if (encoded.unrepresentable == 0 && ReadsBackWhole(encoded.bytes))
        return title;
    return PlainForm(title);
}

CompileFiles CompileFiles::Of(const CProjectFile& project) {
    CompileFiles files;
    const std::string& title = project.GetProjectFileTitle();
    int language = 0;
    project.HHP_GetOptionsData(OPT_LANGUAGE, language);
    files.stem = CompileStem(title);
    files.staging = project.GetProjectFolder() + files.stem + "/";
    files.lock = project.GetProjectFolder() + files.stem + ".lock";
    files.name = CompilerName(title, language);
    const std::string base = files.staging + CompilerBytes(files.name, language);
    files.hhp = base + ".hhp";
    files.hhc = base + ".hhc";
    files.hhk = base + ".hhk";
    files.chm = base + ".chm";
    files.mbkmbk = files.staging + ProjectCopyName(title);
    files.target = project.GetCHMFileName();
    files.mbk = project.GetMBKFileName();
    return files;
}

} // namespace mb
