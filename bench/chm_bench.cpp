// Compiles a help file of 20,000 topics (about 140 MB of pages and 8 MB of
// images) with chmcmd, then times on the same file: our full decompile on
// every core and on one, against `extract_chmLib` and `chmls extractall`;
// our handheld conversion against our decompile; and the CHM explorer's
// listing (opening the file and reading every name into the explorer's
// tree) against `chmls list`. Each side's output is checked first: every
// decompile must have written the same pages and images, byte for byte,
// and both listings must name the same number of streams.
// Targets: our decompile in at most 0.67x the time of the fastest of the
// other two, the handheld conversion in at most 1.2x our decompile, the
// listing in at most 0.5x chmls's.

#include "compiledhelp/CHMFileRW.h"

#include "ChmBenchSupport.h"

#include "baseutil/Process.h"
#include "baseutil/Xml.h"
#include "compiledhelp/tests/support/ChmTestSupport.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kTopics = 20000;
constexpr int kTopicsPerImage = 10;
constexpr int kRuns = 3;
// A listing takes milliseconds: more runs even out the machine's noise.
constexpr int kListingRuns = 10;

void WriteFile(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string TopicPath(int n, const char* kind = "topic", const char* extension = "htm") {
    char path[64];
    std::snprintf(path, sizeof path, "chapter%02d/section%02d/%s%05d.%s", n / 500, (n / 50) % 10,
                  kind, n, extension);
    return path;
}

// A topic page of about 7 KB: headings, paragraphs, a table and a script.
std::string Topic(int n) {
    std::string page = "<html><head><title>Topic " + std::to_string(n) +
                       "</title><script>function f(){return " + std::to_string(n) +
                       ";}</script></head>\r\n<body>\r\n<h1>Topic " + std::to_string(n) +
                       "</h1>\r\n<img src=\"" +
                       fs::path(TopicPath(n, "image", "gif")).filename().string() + "\">\r\n";
    unsigned state = static_cast<unsigned>(n) * 2654435761u;
    for (int p = 0; p < 24; ++p) {
        page += "<p>";
        for (int w = 0; w < 40; ++w) {
            state = state * 1103515245u + 12345u;
            static const char* const kWords[] = {
                "widget", "panel", "option",    "the",    "value", "settings", "of",   "dialog",
                "window", "a",     "configure", "select", "file",  "help",     "topic"};
            page += kWords[(state >> 16) % 15];
            page += (state >> 8) % 7 == 0 ? ", " : " ";
        }
        page += "</p>\r\n";
    }
    page += "<table><tr><td>" + std::to_string(state) + "</td></tr></table>\r\n</body></html>\r\n";
    return page;
}

// An image of about 4 KB that does not compress, as real pictures do not.
std::string Image(int n) {
    std::string bytes = "GIF89a";
    unsigned state = static_cast<unsigned>(n) + 1;
    while (bytes.size() < 4200) {
        state = state * 1664525u + 1013904223u;
        bytes += static_cast<char>(state >> 24);
    }
    return bytes;
}

bool MakeProject(const fs::path& folder, const fs::path& chm) {
    std::string files;
    std::string toc = "<HTML><BODY>\r\n<UL>\r\n";
    for (int n = 0; n < kTopics; ++n) {
        WriteFile(folder / TopicPath(n), Topic(n));
        files += TopicPath(n) + "\n";
        if (n % kTopicsPerImage == 0) {
            WriteFile(folder / TopicPath(n, "image", "gif"), Image(n));
            files += TopicPath(n, "image", "gif") + "\n";
        }
        if (n % 500 == 0)
            toc += std::string(n ? "</UL>\r\n" : "") +
                   "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Chapter " +
                   std::to_string(n / 500) + "\"></OBJECT>\r\n<UL>\r\n";
        toc += "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Topic " +
               std::to_string(n) + "\"><param name=\"Local\" value=\"" + TopicPath(n) +
               "\"></OBJECT>\r\n";
    }
    toc += "</UL>\r\n</UL>\r\n</BODY></HTML>\r\n";
    WriteFile(folder / "toc.hhc", toc);
    WriteFile(folder / "bench.hhp", "[OPTIONS]\nCompiled file=" + chm.string() +
                                        "\nContents file=toc.hhc\nDefault topic=" + TopicPath(0) +
                                        "\nTitle=Bench\n\n[FILES]\n" + files);
    mb::RunResult run =
        mb::RunAndCapture({"chmcmd", "--no-html-scan", (folder / "bench.hhp").string()});
    return run.started && fs::exists(chm);
}

// The folder that run `run` of a side writes to. Every run writes to a
// folder of its own, and all are removed only after the timing: a file
// system that has just deleted tens of thousands of files makes new ones
// slowly for a while, and would charge that to whoever writes next.
fs::path RunFolder(const fs::path& base, int run) {
    return base.string() + "-" + std::to_string(run);
}

// Wall time of `work`, negative when it failed.
double Time(const std::function<bool()>& work) {
    sync();
    auto start = std::chrono::steady_clock::now();
    if (!work())
        return -1;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Best wall time of `runs` runs.
double BestOf(int runs, const std::function<bool()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        double seconds = Time(work);
        if (seconds < 0)
            return -1;
        best = std::min(best, seconds);
    }
    return best;
}

bool Installed(const char* program) {
    return mb::RunAndCapture({"sh", "-c", std::string("command -v ") + program}).exitStatus == 0;
}

// The pages and images a side wrote, by path inside its folder: the
// container's own streams ("#..." and "$...") and the project copy, which
// only the other tools write, are left out.
std::set<std::string> ContentFiles(const fs::path& folder) {
    std::set<std::string> files;
    if (!fs::exists(folder))
        return files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        std::string path = fs::relative(entry.path(), folder).generic_string();
        bool system = path[0] == '#' || path[0] == '$' || path.ends_with(".mbkmbk");
        if (entry.is_regular_file() && !system)
            files.insert(path);
    }
    return files;
}

// Whether the two folders hold the same bytes in each of `files`.
bool SameBytes(const fs::path& a, const fs::path& b, const std::set<std::string>& files) {
    for (const std::string& file : files) {
        std::ifstream left(a / file, std::ios::binary);
        std::ifstream right(b / file, std::ios::binary);
        if (!left || !right ||
            !std::equal(std::istreambuf_iterator<char>(left), std::istreambuf_iterator<char>(),
                        std::istreambuf_iterator<char>(right), std::istreambuf_iterator<char>()))
            return false;
    }
    return true;
}

struct Side {
    Side(const char* name, fs::path base, std::function<bool(const fs::path& output)> work)
        : name(name), base(std::move(base)), work(std::move(work)) {}

    const char* name;
    fs::path base; // the runs write to RunFolder(base, run)
    std::function<bool(const fs::path& output)> work;
    double seconds = 1e30;
    bool failed = false;
    std::set<std::string> files;

    fs::path LastOutput() const { return RunFolder(base, kRuns - 1); }
};

// Our decompile of `chm` on `workers` threads (0: one a core).
Side OurDecompile(const char* name, const fs::path& chm, const fs::path& base, size_t workers) {
    return {name, base, [=](const fs::path& output) {
                CCHMFileRW reader;
                reader.SetWorkers(workers);
                return reader.CHM_SetCHMFile(chm.string()) &&
                       reader.CHM_Decompile(output.string(), false) == 0;
            }};
}

Side OtherTool(const char* name, std::vector<std::string> command, const fs::path& base) {
    return {name, base, [command](const fs::path& output) {
                std::vector<std::string> run = command;
                run.push_back(output.string());
                return mb::RunAndCapture(run).exitStatus == 0;
            }};
}

bool Report(const char* what, double ours, double theirs, double target) {
    bool met = ours <= theirs * target;
    std::printf("%-44s %.2fx  (target <= %.2fx)%s\n", what, ours / theirs, target,
                met ? "" : "  MISSED");
    return met;
}

} // namespace

// With a folder argument the project and help file are made there, or
// reused when they exist, and kept.
int main(int argc, char** argv) {
    for (const char* tool : {"chmcmd", "chmls", "extract_chmLib"}) {
        if (!Installed(tool)) {
            std::printf("%s is needed (Debian fp-utils and libchm-bin)\n", tool);
            return 1;
        }
    }
    char pattern[] = "/tmp/mb_chm_bench_XXXXXX";
    const bool keep = argc > 1;
    if (!keep && !mkdtemp(pattern))
        return 1;
    const fs::path root = keep ? fs::path(argv[1]) : fs::path(pattern);
    const fs::path chm = root / "bench.chm";
    const fs::path mended = root / "mended.chm";
    auto started = std::chrono::steady_clock::now();
    if (!(keep && fs::exists(chm)) && !MakeProject(root / "project", chm)) {
        std::printf("chmcmd failed\n");
        if (!keep)
            fs::remove_all(root);
        return 1;
    }
    if (!mb::bench::WriteMendedCopy(chm, mended)) {
        std::printf("cannot write the mended copy of %s\n", chm.c_str());
        return 1;
    }
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    std::printf("help file: %d topics, %.1f MB compiled, built in %.1f s; %u cores\n", kTopics,
                fs::file_size(chm) / 1e6,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count(),
                cores);

    // The other tools read the mended copy: unmended, CHMLib loses names.
    // The sides take turns, so that a slow spell of the machine does not
    // fall on one side alone.
    std::vector<Side> sides;
    sides.push_back(OurDecompile("our decompile, every core", chm, root / "ours", 0));
    sides.push_back(OurDecompile("our decompile, 1 worker", chm, root / "ours1", 1));
    sides.push_back(
        OtherTool("extract_chmLib", {"extract_chmLib", mended.string()}, root / "chmlib"));
    sides.push_back(
        OtherTool("chmls extractall", {"chmls", "extractall", mended.string()}, root / "chmls"));
    sides.push_back({"our handheld conversion", root / "pda", [&](const fs::path& output) {
                         CCHMFileRW converter;
                         return converter.CHM2PDA(chm.string(), output.string(), "index.html");
                     }});
    for (int run = 0; run < kRuns; ++run) {
        for (Side& side : sides) {
            double seconds = Time([&] { return side.work(RunFolder(side.base, run)); });
            side.failed = side.failed || seconds < 0;
            side.seconds = std::min(side.seconds, seconds < 0 ? side.seconds : seconds);
        }
    }
    Side& handheld = sides.back();
    bool sameWork = !handheld.failed;
    for (Side& side : sides) {
        if (&side == &handheld)
            continue;
        side.files = ContentFiles(side.LastOutput());
        std::printf("%-28s %8.1f ms  %zu files\n", side.name, side.seconds * 1e3,
                    side.files.size());
        if (side.failed || side.files != sides[0].files || side.files.empty() ||
            !SameBytes(sides[0].LastOutput(), side.LastOutput(), side.files))
            sameWork = false;
    }
    for (const Side& side : sides) {
        for (int run = 0; run < kRuns; ++run)
            fs::remove_all(RunFolder(side.base, run));
    }

    // The explorer's listing: the open and the tree of names it shows.
    size_t ourStreams = 0;
    double ourListing = BestOf(kListingRuns, [&] {
        CCHMFileRW file;
        CXML tree("Root");
        tree.SetAttr("Local", chm.string() + "::");
        bool read = file.CHM_SetCHMFile(chm.string()) && file.CHM_ReadAllStorageInfoToXML(&tree);
        ourStreams = mb::bench::CountStreams(&tree);
        return read;
    });
    double chmlsListing = BestOf(kListingRuns, [&] {
        return mb::RunAndCapture({"chmls", "list", mended.string()}).exitStatus == 0;
    });
    // The explorer leaves the container's own "#..." and "$..." elements
    // and the project copy out.
    std::vector<mb::testing::ChmlsEntry> listed = mb::testing::ChmlsList(mended.string());
    const size_t chmlsStreams = std::count_if(listed.begin(), listed.end(), [](const auto& entry) {
        return !mb::testing::IsSystemPath(entry.name.substr(1)) && !entry.name.ends_with(".mbkmbk");
    });
    fs::remove(mended);
    if (!keep)
        fs::remove_all(root);
    std::printf("%-28s %8.1f ms  %zu streams\n", "our listing (CHM explorer)", ourListing * 1e3,
                ourStreams);
    std::printf("%-28s %8.1f ms  %zu streams\n", "chmls list", chmlsListing * 1e3, chmlsStreams);
    std::printf("%-28s %8.1f ms\n", handheld.name, handheld.seconds * 1e3);

    if (!sameWork || ourListing < 0 || chmlsListing < 0 || ourStreams != chmlsStreams ||
        ourStreams < static_cast<size_t>(kTopics)) {
        std::printf("the sides did not write the same files or list the same streams (or a run "
                    "failed): no result\n");
        return 1;
    }
    const double ours = sides[0].seconds;
    const double fastestPeer = std::min(sides[2].seconds, sides[3].seconds);
    std::printf("scaling: 1 worker / every core: %.2fx\n", sides[1].seconds / ours);
    std::printf("ours / extract_chmLib: %.2fx   ours / chmls extractall: %.2fx\n",
                ours / sides[2].seconds, ours / sides[3].seconds);
    bool met = Report("decompile / fastest other tool", ours, fastestPeer, 0.67);
    met = Report("handheld conversion / our decompile", handheld.seconds, ours, 1.2) && met;
    met = Report("explorer listing / chmls list", ourListing, chmlsListing, 0.5) && met;
    return met ? 0 : 1;
}
