// Commands that read a compiled help file without a project: its storage
// tree and its context-id map.
#include "app/cli/Commands.h"
#include "app/cli/ConsoleUi.h"
#include "app/cli/FileQuestions.h"

#include "baseutil/Xml.h"
#include "compiledhelp/CHMFileRW.h"

#include <cinttypes>
#include <cstdio>

namespace mb::cli {
namespace {

void PrintStorage(CCHMFileRW& chm, const CXML* element) {
    for (int i = 0; i < element->GetChildCount(); ++i) {
        const CXML* node = element->GetChildAt(i);
        std::string path = node->GetAttr("Local");
        if (node->GetChildCount() > 0 || chm.CHM_GetStreamSize(path, true) < 0) {
            std::printf("%12s  %s/\n", "", path.c_str());
            PrintStorage(chm, node);
        } else {
            std::printf("%12" PRId64 "  %s\n", chm.CHM_GetStreamSize(path, true), path.c_str());
        }
    }
}

} // namespace

int RunList(const Invocation& invocation) {
    const std::string& path = invocation.arguments[0];
    if (!IsReadableFile(path))
        return kExitFailed;
    CCHMFileRW chm;
    CXML root("Storage");
    if (!chm.CHM_SetCHMFile(path) || !chm.CHM_ReadAllStorageInfoToXML(&root)) {
        PrintError("cannot read \"" + path + "\": " + CCHMFileRW::GetErr(chm.GetLastResult()));
        return kExitFailed;
    }
    PrintStorage(chm, &root);
    return kExitOk;
}

int RunContextMap(const Invocation& invocation) {
    const std::string& path = invocation.arguments[0];
    if (!IsReadableFile(path))
        return kExitFailed;
    CHMContextMap map;
    int result = CCHMFileRW::GetContextMap(path, map);
    if (result != 0) {
        PrintError("cannot read \"" + path + "\": " + CCHMFileRW::GetErr(result));
        return kExitFailed;
    }
    for (const auto& [id, topic] : map)
        std::printf("%u\t%s\n", id, topic.c_str());
    return kExitOk;
}

} // namespace mb::cli
