// Builds a project of 100,000 contents entries (nested up to 8 levels) and
// 100,000 index entries over 2,000 topic files, and prints in one run: the
// open of its project file, the save, the .hhc and .hhk writing, deleting
// 10,000 scattered contents entries and inserting them back from the
// change records, and a bare parse of the same project file by the XML
// parser (the tree reader, and expat alone).
// The open is timed in a process of its own, as a program that has just
// started opens a project; the same process reports its peak memory.
// Targets: open within 3x of expat's bare parse; the delete plus re-insert
// faster than one save; peak memory of a process that opens the project at
// most 200 MB.

#include "baseutil/Prompt.h"
#include "baseutil/SafeFile.h"
#include "baseutil/Xml.h"
#include "bench/ProjectBenchSupport.h"
#include "projectmodel/ProjectFile.h"

#include <expat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <vector>

using namespace mb::bench;

namespace {

constexpr int kScattered = 10000;

class IdleObserver : public CObserver {
public:
    int Update(CSubject*, const NotifyInfo&) override { return 1; }
};

// Every entry that is a leaf, in document order.
void Leaves(CXML* parent, std::vector<CXML*>& leaves) {
    for (int i = 0; i < parent->GetChildCount(); ++i) {
        CXML* child = parent->GetChildAt(i);
        if (child->GetChildCount() == 0)
            leaves.push_back(child);
        else
            Leaves(child, leaves);
    }
}

// Removes 10,000 scattered entries as the delete command does, then puts
// them back from the records as its undo does. False when the tree is not
// the same afterwards.
bool DeleteAndReinsert(CProjectFile& project, double& seconds) {
    std::vector<CXML*> leaves;
    Leaves(project.HHC_GetTreeRoot(), leaves);
    CXML selected("SelectedNodes");
    size_t step = leaves.size() / kScattered;
    for (size_t i = 0; i < leaves.size() && selected.GetChildCount() < kScattered; i += step)
        selected.AddChild("node")->SetAttr("ID", leaves[i]->GetAttr("ID"));
    std::string before = project.GetHHCFile()->BuildHHCText();

    seconds = Seconds([&] {
        CXML list;
        project.Content_GetType2FilesListFromIDs(&selected, &list);
        project.ResetModifiedInfo();
        project.Content_DeleteFilesList2(&list);
        CXML undo("FilesList");
        CXML* records = project.GetModifiedInfo();
        for (int i = 0; i < records->GetChildCount(); ++i) {
            const CXML* record = records->GetChildAt(i);
            CXML* run = undo.AddChild("List");
            run->SetAttr("RelativeNodeID", record->GetAttr("DoRelativeNodeID"));
            run->SetAttr("InsertMode", record->GetAttr("DoInsertMode"));
            record->CloneChildTo(run);
        }
        project.ResetModifiedInfo();
        project.Content_AddFilesList2(&undo);
    });
    return project.Content_GetCount() == kEntries && project.GetHHCFile()->BuildHHCText() == before;
}

// The high-water mark of this process's resident memory in MB (VmHWM: the
// memory of this program image only, unlike the rusage figure, which also
// counts what the parent held when it started this process).
double OwnPeakMegabytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return -1;
}

struct OpenFigures {
    double seconds = -1;
    double peakMegabytes = -1;
};

// Opens the project in a process of its own: its time and peak resident
// memory, negative on failure.
OpenFigures OpenInOwnProcess(const std::string& mbk) {
    std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
    std::string command = "'" + self + "' --open '" + mbk + "'";
    std::FILE* child = popen(command.c_str(), "r");
    if (!child)
        return {};
    OpenFigures figures;
    bool read = std::fscanf(child, "%lf %lf", &figures.seconds, &figures.peakMegabytes) == 2;
    int status = pclose(child);
    if (!read || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    return figures;
}

int OpenOnly(const char* mbk) {
    CProjectFile project;
    int result = 0;
    double seconds = Seconds([&] { result = project.OpenProjectFile(mbk); });
    if (result != 1 || project.Content_GetCount() != kEntries ||
        project.Index_GetCount() != kEntries)
        return 1;
    std::printf("%f %.1f\n", seconds, OwnPeakMegabytes());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--open") == 0)
        return OpenOnly(argv[2]);

    std::string pattern = (std::filesystem::temp_directory_path() / "mbbenchXXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return 1;
    const std::string folder = pattern + "/";
    MakeTopicFiles(folder);
    const std::string mbk = folder + "big.mbk";

    CProjectFile project;
    project.SetMBKFileName(mbk);
    Fill(project, folder);

    double save = BestOf(3, [&] {
        project.SetModified(1);
        if (project.SaveProject() != 1)
            std::printf("save failed\n");
    });
    std::string text;
    mb::ReadWholeFile(mbk, text);

    double bareTree = BestOf(3, [&] {
        CXML root;
        if (!root.XMLReadString(text))
            std::printf("bare parse failed\n");
    });
    double bareExpat = BestOf(3, [&] {
        XML_Parser parser = XML_ParserCreate("UTF-8");
        if (XML_Parse(parser, text.data(), static_cast<int>(text.size()), XML_TRUE) !=
            XML_STATUS_OK)
            std::printf("expat parse failed\n");
        XML_ParserFree(parser);
    });
    bool opened = true;
    double open = 1e30;
    double peak = 0;
    for (int run = 0; run < 3; ++run) {
        OpenFigures figures = OpenInOwnProcess(mbk);
        opened = opened && figures.seconds >= 0;
        open = std::min(open, figures.seconds);
        peak = std::max(peak, figures.peakMegabytes);
    }
    // The same with observers on both trees, as in the desktop program,
    // where every load also hands the views a record of the new entries.
    double openWatched = 1e30;
    for (int run = 0; run < 3; ++run) {
        auto reopened = std::make_unique<CProjectFile>();
        IdleObserver observer;
        reopened->GetHHCFile()->Attach(&observer);
        reopened->GetHHKFile()->Attach(&observer);
        openWatched = std::min(openWatched, Seconds([&] { reopened->OpenProjectFile(mbk); }));
        reopened->GetHHCFile()->Detach(&observer);
        reopened->GetHHKFile()->Detach(&observer);
    }
    double hhc = BestOf(3, [&] { project.HHC_WriteFile(folder + "big.hhc"); });
    double hhk = BestOf(3, [&] { project.HHK_WriteFile(folder + "big.hhk"); });
    double editing = 0;
    bool restored = DeleteAndReinsert(project, editing);

    std::filesystem::remove_all(folder);

    std::printf("project: %d contents and %d index entries, project file %.1f MB\n", kEntries,
                kEntries, text.size() / 1e6);
    std::printf("bare parse (tree reader): %8.1f ms\n", bareTree * 1e3);
    std::printf("bare parse (expat alone): %8.1f ms\n", bareExpat * 1e3);
    std::printf("open (own process):       %8.1f ms  (%.2fx expat's parse; target <= 3x; "
                "%.2fx the tree reader's)\n",
                open * 1e3, open / bareExpat, open / bareTree);
    std::printf("open with observers:      %8.1f ms  (%.2fx the tree reader's parse; for "
                "information)\n",
                openWatched * 1e3, openWatched / bareTree);
    std::printf("save:                     %8.1f ms\n", save * 1e3);
    std::printf(".hhc writing:             %8.1f ms\n", hhc * 1e3);
    std::printf(".hhk writing:             %8.1f ms\n", hhk * 1e3);
    std::printf("delete %d + re-insert:  %8.1f ms  (%.2fx one save; target < 1x)\n", kScattered,
                editing * 1e3, editing / save);
    std::printf("peak memory of an open:   %8.1f MB  (target <= 200 MB)\n", peak);

    bool ok =
        opened && restored && peak > 0 && open / bareExpat <= 3.0 && editing < save && peak <= 200;
    if (!opened || !restored)
        std::printf("the opened or restored project is not the one saved\n");
    return ok ? 0 : 1;
}
