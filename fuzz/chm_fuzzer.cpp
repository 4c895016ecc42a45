// Opens arbitrary bytes as a compiled help file: enumerates it, reads every
// stream, describes it as XML, reads its context map and sitemaps, and
// decompiles and converts it into a scratch folder. Nothing may be written
// outside the output folders.

#include "baseutil/Xml.h"
#include "compiledhelp/CHMFileRW.h"

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// A scratch folder for this process, in memory where the system has one,
// removed at exit. It is never destroyed so that the exit handler can use it.
const fs::path& Scratch() {
    static const fs::path* scratch = [] {
        fs::path base = fs::exists("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        auto* folder = new fs::path(base / ("mb_fuzz_chm_" + std::to_string(getpid())));
        fs::create_directories(*folder);
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(Scratch(), ignored);
        });
        return folder;
    }();
    return *scratch;
}

void ReadAll(const CItsStorage& storage, int depth) {
    for (const CItsElement& element : storage.Elements()) {
        if (element.type == kItsTypeStream) {
            CItsStream stream;
            std::string data;
            if (storage.OpenStream(element, stream) == kItsOk && stream.ReadAll(data) == kItsOk &&
                data.size() != stream.Size())
                std::abort(); // a successful read gives exactly the stream's size
            continue;
        }
        CItsStorage child;
        if (storage.OpenStorage(element, child) != kItsOk || depth > 4000)
            std::abort();
        ReadAll(child, depth + 1);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const fs::path& scratch = Scratch();
    const std::string chm = (scratch / "in.chm").string();
    {
        std::ofstream out(chm, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    CItsFile file;
    if (file.OpenITS(chm) == kItsOk)
        ReadAll(file.pStorage(), 0);
    file.CloseStorage();

    CCHMFileRW reader;
    if (reader.CHM_SetCHMFile(chm)) {
        CXML root("FILES_TREE_ROOT");
        reader.CHM_ReadAllStorageInfoToXML(&root);
        std::string name;
        reader.CHM_FindHHCAtRoot(name);
        reader.CHM_FindMBKAtRoot(name);
        reader.CHM_GetStream("a.htm", name, false);
        reader.CHM_Decompile((scratch / "out" / "decompiled").string(), true);
        reader.CHM2PDA(chm, (scratch / "out" / "pda").string(), "index.html");
        CHMContextMap map;
        CCHMFileRW::GetContextMap(chm, map);
    }
    // Only the input and the output folder may exist in the scratch folder.
    for (const auto& entry : fs::directory_iterator(scratch)) {
        std::string leaf = entry.path().filename().string();
        if (leaf != "in.chm" && leaf != "out")
            std::abort();
    }
    fs::remove_all(scratch / "out");
    return 0;
}
