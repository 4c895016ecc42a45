// Opens arbitrary bytes as a project file. Whatever opens must save, and the
// saved file must open again and save to the same bytes.

#include "FuzzSupport.h"
#include "projectmodel/ProjectFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& folder = fuzz::ScratchFolder();
    fuzz::WriteFile(folder + "p.mbk", std::string(reinterpret_cast<const char*>(data), size));
    CProjectFile project;
    project.SetChannels(fuzz::SilentChannels());
    if (project.OpenProjectFile(folder + "p.mbk") != 1)
        return 0;
    project.GetHHPFile()->BuildHHPText();
    std::string first = fuzz::SavedProjectText(project, folder + "a.mbk");
    CProjectFile reopened;
    reopened.SetChannels(fuzz::SilentChannels());
    if (reopened.OpenProjectFile(folder + "a.mbk") != 1)
        std::abort();
    if (fuzz::SavedProjectText(reopened, folder + "b.mbk") != first)
        std::abort();
    return 0;
}
