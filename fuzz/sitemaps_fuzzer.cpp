// Reads arbitrary bytes as a contents (.hhc) and as an index (.hhk) sitemap
// into a project, in the code page of a language chosen by the first byte.
// What was read must survive the way out and back: the sitemap the model
// writes for the compiler, and the project file, read again into the same
// entries on the same levels; the project file saved again is the same.

#include "FuzzSupport.h"
#include "projectmodel/ProjectFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Every entry of the tree as its level, in document order.
std::string Levels(const CXML* parent, int level = 0) {
    std::string levels;
    for (int i = 0; i < parent->GetChildCount(); ++i) {
        levels += std::to_string(level) + ",";
        levels += Levels(parent->GetChildAt(i), level + 1);
    }
    return levels;
}

template <typename Model, typename Read, typename Write>
void RoundTrip(CProjectFile& project, Model& model, const std::string& path, Read read,
               Write write) {
    CXML form("FORM");
    (model.*read)(path, &form);
    model.ReadXMLTree_Ver2(&form);
    std::string levels = Levels(model.GetTreeRoot());

    // The sitemap written for the compiler reads back into the same shape.
    const std::string written = path + ".out";
    if ((project.*write)(written) != 1)
        std::abort();
    CXML again("FORM");
    (model.*read)(written, &again);
    Model other;
    other.AttachProjectFile(&project);
    other.ReadXMLTree_Ver2(&again);
    if (Levels(other.GetTreeRoot()) != levels)
        std::abort();

    // So does the project file's form.
    CXML stored("FORM");
    model.WriteXMLTree_Ver2(&stored);
    Model fromProjectFile;
    fromProjectFile.AttachProjectFile(&project);
    fromProjectFile.ReadXMLTree_Ver2(&stored);
    if (Levels(fromProjectFile.GetTreeRoot()) != levels)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    static const int kLanguages[] = {1033, 2052, 1041, 1049, 1032, 1025};
    const std::string& folder = fuzz::ScratchFolder();
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    fuzz::WriteFile(folder + "in.hhc", text);
    fuzz::WriteFile(folder + "in.hhk", text);

    CProjectFile project;

    project.SetChannels(fuzz::SilentChannels());
    project.SetMBKFileName(folder + "p.mbk");
    project.HHP_SetOptionsData(OPT_LANGUAGE, kLanguages[data[0] % 6]);
    RoundTrip(project, *project.GetHHCFile(), folder + "in.hhc", &CHHCFile::ReadHHCFileToXML,
              &CProjectFile::HHC_WriteFile);
    RoundTrip(project, *project.GetHHKFile(), folder + "in.hhk", &CHHKFile::ReadHHKFileToXML,
              &CProjectFile::HHK_WriteFile);

    // The project with both trees saves, opens and saves to the same text.
    std::string first = fuzz::SavedProjectText(project, folder + "a.mbk");
    CProjectFile reopened;
    reopened.SetChannels(fuzz::SilentChannels());
    if (reopened.OpenProjectFile(folder + "a.mbk") != 1)
        std::abort();
    if (fuzz::SavedProjectText(reopened, folder + "b.mbk") != first)
        std::abort();
    return 0;
}
