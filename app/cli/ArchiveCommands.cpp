// Commands that read a compiled help file without a project: its storage
// tree and its context-id map.
#include "app/cli/Commands.h"
#include "app/cli/ConsoleUi.h"
#include "app/cli/FileQuestions.h"
#include "app/cli/TerminalText.h"

#include "baseutil/Xml.h"
#include "compiledhelp/CHMFileRW.h"

#include <cstdio>

namespace mb::cli {
namespace {

// One line per element, from the storage description alone: a storage
// (type 0) with a "/" after its name, a stream with its size.
void PrintStorage(const CXML* element) {
    for (int i = 0; i < element->GetChildCount(); ++i) {
        const CXML* node = element->GetChildAt(i);
        std::string path = Printable(node->GetAttr("Local"));
        if (node->GetAttrInt("Type") == 0) {
            std::printf("%12s  %s/\n", "", path.c_str());
            PrintStorage(node);
        } else {
            std::printf("%12s  %s\n", node->GetAttr("Size").c_str(), path.c_str());
        }
    }
}

} // namespace

int RunList(const Invocation& invocation, AppContext&) {
    const std::string& path = invocation.arguments[0];
    if (!IsReadableFile(path))
        return kExitFailed;
    CCHMFileRW chm;
    CXML root("Storage");
    if (!chm.CHM_SetCHMFile(path) || !chm.CHM_ReadAllStorageInfoToXML(&root)) {
        PrintError("cannot read \"" + path + "\": " + CCHMFileRW::GetErr(chm.GetLastResult()));
        return kExitFailed;
    }
    PrintStorage(&root);
    if (chm.CHM_IsDamaged()) {
        PrintError("\"" + path + "\" is damaged: the names of some of its files are lost");
        return kExitFailed;
    }
    return kExitOk;
}

int RunContextMap(const Invocation& invocation, AppContext&) {
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
        std::printf("%u\t%s\n", id, Printable(topic).c_str());
    return kExitOk;
}

} // namespace mb::cli
