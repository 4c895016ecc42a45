// Compiles a help file of 20,000 topics (about 140 MB of pages and 8 MB of
// images) with chmcmd, then times our full decompile against
// `extract_chmLib` and `chmls extractall` on the same file, and our handheld
// conversion against our decompile. Each side's output is checked first:
// every side must have written the same pages and images.
// Target: our decompile at least as fast as extract_chmLib.

#include "compiledhelp/CHMFileRW.h"

#include "ChmBenchSupport.h"

#include "baseutil/Process.h"

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
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kTopics = 20000;
constexpr int kTopicsPerImage = 10;
constexpr int kRuns = 3;

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

// Best wall time of kRuns runs; the output folder is emptied before each.
double BestOf(const fs::path& output, const std::function<bool()>& work) {
    double best = 1e30;
    for (int i = 0; i < kRuns; ++i) {
        fs::remove_all(output);
        sync();
        auto start = std::chrono::steady_clock::now();
        if (!work())
            return -1;
        best = std::min(
            best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
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

struct Side {
    const char* name;
    fs::path output;
    std::function<bool()> work;
    double seconds = -1;
    std::set<std::string> files;
};

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
    std::printf("help file: %d topics, %.1f MB compiled, built in %.1f s\n", kTopics,
                fs::file_size(chm) / 1e6,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());

    std::vector<Side> sides;
    sides.push_back({"our decompile", root / "ours", [&] {
                         CCHMFileRW reader;
                         return reader.CHM_SetCHMFile(chm.string()) &&
                                reader.CHM_Decompile((root / "ours").string(), false) == 0;
                     }, -1, {}});
    sides.push_back({"extract_chmLib", root / "chmlib", [&] {
                         return mb::RunAndCapture({"extract_chmLib", mended.string(),
                                                   (root / "chmlib").string()})
                                    .exitStatus == 0;
                     }, -1, {}});
    sides.push_back({"chmls extractall", root / "chmls", [&] {
                         return mb::RunAndCapture({"chmls", "extractall", mended.string(),
                                                   (root / "chmls").string()})
                                    .exitStatus == 0;
                     }, -1, {}});
    for (Side& side : sides) {
        side.seconds = BestOf(side.output, side.work);
        side.files = ContentFiles(side.output);
    }
    const fs::path pda = root / "pda";
    double convert = BestOf(pda, [&] {
        CCHMFileRW converter;
        return converter.CHM2PDA(chm.string(), pda.string(), "index.html");
    });
    for (const Side& side : sides)
        fs::remove_all(side.output);
    fs::remove_all(pda);
    fs::remove(mended);
    if (!keep)
        fs::remove_all(root);

    bool sameWork = true;
    for (const Side& side : sides) {
        std::printf("%-18s %8.1f ms  %zu files\n", side.name, side.seconds * 1e3,
                    side.files.size());
        if (side.seconds < 0 || side.files != sides[0].files || side.files.empty())
            sameWork = false;
    }
    if (!sameWork || convert < 0) {
        std::printf("the sides did not write the same files (or a run failed): no result\n");
        return 1;
    }
    const Side& chmLib = sides[1];
    std::printf("our handheld pages: %8.1f ms  (%.2fx our decompile)\n", convert * 1e3,
                convert / sides[0].seconds);
    std::printf("ours / extract_chmLib: %.2fx   ours / chmls: %.2fx\n",
                sides[0].seconds / chmLib.seconds, sides[0].seconds / sides[2].seconds);
    std::printf("target: ours <= extract_chmLib\n");
    return sides[0].seconds <= chmLib.seconds ? 0 : 1;
}
