// Lists a help file of 20,000 pages in the CHM explorer and shows a page
// after it is selected, and times `chmls list` on the same file in the same
// run. Both must list the same streams before any time is printed.
// Targets: the listing within 1 s, the page within 200 ms of the selection.

#include "ChmBenchSupport.h"

#include "archiveview/ArchiveViewFrame.h"
#include "baseutil/Process.h"
#include "baseutil/Xml.h"
#include "compiledhelp/tests/support/ChmTestSupport.h"
#include "helpweb/HelpWeb.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

constexpr int kPages = 20000;

std::string PagePath(int n) {
    char path[64];
    std::snprintf(path, sizeof path, "part%02d/group%02d/page%05d.htm", n / 1000, (n / 100) % 10,
                  n);
    return path;
}

bool MakeHelpFile(const fs::path& folder, const fs::path& chm) {
    std::string files;
    for (int n = 0; n < kPages; ++n) {
        fs::create_directories((folder / PagePath(n)).parent_path());
        std::ofstream(folder / PagePath(n))
            << "<html><head><title>Page " << n << "</title></head><body><h1>Page " << n
            << "</h1><p>The text of page " << n << ".</p></body></html>\n";
        files += PagePath(n) + "\n";
    }
    std::ofstream(folder / "bench.hhp")
        << "[OPTIONS]\nCompiled file=" << chm.string() << "\nDefault topic=" << PagePath(0)
        << "\nTitle=Bench\n\n[FILES]\n"
        << files;
    mb::RunResult run =
        mb::RunAndCapture({"chmcmd", "--no-html-scan", (folder / "bench.hhp").string()});
    return run.started && fs::exists(chm);
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    mb::web::PrepareHelpWeb();
    QApplication application(argc, argv);

    std::string pattern = (fs::temp_directory_path() / "mbarchivebenchXXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return 1;
    const fs::path folder = pattern;
    const fs::path chm = folder / "bench.chm";
    const fs::path mended = folder / "bench-mended.chm";
    std::printf("compiling %d pages with chmcmd...\n", kPages);
    if (!MakeHelpFile(folder / "project", chm) || !mb::bench::WriteMendedCopy(chm, mended)) {
        std::printf("the help file could not be made (chmcmd from fp-utils is needed)\n");
        return 1;
    }

    mb::archive::CArchiveViewFrame frame(mb::QuietChannels());
    frame.resize(900, 600);
    frame.show();
    auto listStart = std::chrono::steady_clock::now();
    if (!frame.OpenFile(chm.string()))
        return 1;
    const double listSeconds = SecondsSince(listStart);
    const size_t ours = mb::bench::CountStreams(frame.Root());

    auto chmlsStart = std::chrono::steady_clock::now();
    std::vector<mb::testing::ChmlsEntry> listed = mb::testing::ChmlsList(mended.string());
    const double chmlsSeconds = SecondsSince(chmlsStart);
    // The explorer leaves the container's own "#..." and "$..." elements out.
    const size_t theirs = std::count_if(listed.begin(), listed.end(), [](const auto& entry) {
        return !mb::testing::IsSystemPath(entry.name.substr(1));
    });
    if (ours != theirs || ours < static_cast<size_t>(kPages)) {
        std::printf("the listings differ: explorer %zu streams, chmls %zu\n", ours, theirs);
        return 1;
    }

    // Let the welcome page settle, then time a selection until its page shows.
    QEventLoop settle;
    QTimer::singleShot(1000, &settle, &QEventLoop::quit);
    settle.exec();
    QTreeWidget* tree = frame.FilesTree();
    QList<QTreeWidgetItem*> found =
        tree->findItems("page12345.htm", Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty())
        return 1;
    bool shown = false;
    QEventLoop wait;
    QObject::connect(&frame, &mb::archive::CArchiveViewFrame::PreviewShown, &wait, [&](bool ok) {
        shown = ok;
        wait.quit();
    });
    QTimer::singleShot(30000, &wait, &QEventLoop::quit);
    auto showStart = std::chrono::steady_clock::now();
    tree->setCurrentItem(found.first());
    wait.exec();
    const double showSeconds = SecondsSince(showStart);
    if (!shown) {
        std::printf("the selected page was not shown\n");
        return 1;
    }

    std::printf("streams listed: %zu (explorer) = %zu (chmls list)\n", ours, theirs);
    std::printf(
        "list 20,000 streams:  explorer %.3f s  chmls list %.3f s  ratio %.2f  (target <= 1 s)\n",
        listSeconds, chmlsSeconds, listSeconds / chmlsSeconds);
    std::printf("page after selection: %.3f s  (target <= 0.2 s)\n", showSeconds);
    fs::remove_all(folder);
    return listSeconds <= 1.0 && showSeconds <= 0.2 ? 0 : 2;
}
