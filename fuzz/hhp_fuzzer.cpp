// Reads arbitrary bytes as an HTML Help project with its header and alias
// files (the input holds the three texts separated by NUL bytes), loads the
// settings into a project and writes them out as project text and project
// file. The project file written must read back into the same file.

#include "FuzzSupport.h"
#include "projectmodel/ProjectFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string& folder = fuzz::ScratchFolder();
    std::string input(reinterpret_cast<const char*>(data), size);
    std::string parts[3];
    for (int i = 0, start = 0; i < 3; ++i) {
        size_t end = i < 2 ? input.find('\0', start) : std::string::npos;
        parts[i] = input.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (end == std::string::npos)
            break;
        start = static_cast<int>(end + 1);
    }
    fuzz::WriteFile(folder + "p.hhp", parts[0]);
    fuzz::WriteFile(folder + "ids.h", parts[1]);
    fuzz::WriteFile(folder + "alias.txt", parts[2]);

    CProjectFile project;

    project.SetChannels(fuzz::SilentChannels());
    project.SetMBKFileName(folder + "p.mbk");
    CXML element("HHP");
    project.GetHHPFile()->ReadHHPFileToXML(folder + "p.hhp", &element);
    project.GetHHPFile()->ReadXMLTree_Ver2(&element);

    // Our own project text must read again.
    if (project.HHP_WriteFile(folder + "out.hhp") != 1)
        std::abort();
    CXML again("HHP");
    project.GetHHPFile()->ReadHHPFileToXML(folder + "out.hhp", &again);

    std::string first = fuzz::SavedProjectText(project, folder + "a.mbk");
    CProjectFile reopened;
    reopened.SetChannels(fuzz::SilentChannels());
    if (reopened.OpenProjectFile(folder + "a.mbk") != 1)
        std::abort();
    if (fuzz::SavedProjectText(reopened, folder + "b.mbk") != first)
        std::abort();
    return 0;
}
