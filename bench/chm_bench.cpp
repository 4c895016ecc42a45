// Compiles a help file of 6,000 topics (about 40 MB of pages and 25 MB of
// images, some 30 MB compiled) with chmcmd,
// then times our full decompile against `chmls extractall` and, when it is
// installed, `extract_chmLib` on the same file, and our handheld conversion
// against our decompile.
// Target: our decompile at least as fast as the fastest of the others.

#include "compiledhelp/CHMFileRW.h"

#include "baseutil/Process.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kTopics = 6000;
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
        WriteFile(folder / TopicPath(n, "image", "gif"), Image(n));
        files += TopicPath(n) + "\n" + TopicPath(n, "image", "gif") + "\n";
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

uintmax_t FileCount(const fs::path& folder) {
    uintmax_t count = 0;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        count += entry.is_regular_file() ? 1 : 0;
    return count;
}

} // namespace

// With a folder argument the project and help file are made there, or
// reused when they exist, and kept.
int main(int argc, char** argv) {
    if (!Installed("chmcmd") || !Installed("chmls")) {
        std::printf("chmcmd and chmls are needed (Debian fp-utils)\n");
        return 1;
    }
    char pattern[] = "/tmp/mb_chm_bench_XXXXXX";
    const bool keep = argc > 1;
    if (!keep && !mkdtemp(pattern))
        return 1;
    const fs::path root = keep ? fs::path(argv[1]) : fs::path(pattern);
    const fs::path chm = root / "bench.chm";
    auto started = std::chrono::steady_clock::now();
    if (!(keep && fs::exists(chm)) && !MakeProject(root / "project", chm)) {
        std::printf("chmcmd failed\n");
        if (!keep)
            fs::remove_all(root);
        return 1;
    }
    std::printf("help file: %d topics, %.1f MB compiled, built in %.1f s\n", kTopics,
                fs::file_size(chm) / 1e6,
                std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());

    const fs::path ours = root / "ours";
    double decompile = BestOf(ours, [&] {
        CCHMFileRW reader;
        return reader.CHM_SetCHMFile(chm.string()) &&
               reader.CHM_Decompile(ours.string(), false) == 0;
    });
    uintmax_t ourFiles = decompile < 0 ? 0 : FileCount(ours);
    const fs::path chmls = root / "chmls";
    double chmlsTime = BestOf(chmls, [&] {
        return mb::RunAndCapture({"chmls", "extractall", chm.string(), chmls.string()})
                   .exitStatus == 0;
    });
    double chmLibTime = -1;
    const fs::path chmLib = root / "chmlib";
    if (Installed("extract_chmLib"))
        chmLibTime = BestOf(chmLib, [&] {
            return mb::RunAndCapture({"extract_chmLib", chm.string(), chmLib.string()})
                       .exitStatus == 0;
        });
    const fs::path pda = root / "pda";
    double convert = BestOf(pda, [&] {
        CCHMFileRW converter;
        return converter.CHM2PDA(chm.string(), pda.string(), "index.html");
    });
    for (const fs::path& output : {ours, chmls, chmLib, pda})
        fs::remove_all(output);
    if (!keep)
        fs::remove_all(root);

    if (decompile < 0 || chmlsTime < 0 || convert < 0) {
        std::printf("a run failed (ours %.3f, chmls %.3f, handheld %.3f)\n", decompile, chmlsTime,
                    convert);
        return 1;
    }
    std::printf("our decompile:        %8.1f ms  (%ju files)\n", decompile * 1e3, ourFiles);
    std::printf("chmls extractall:     %8.1f ms  (ours %.2fx its time)\n", chmlsTime * 1e3,
                decompile / chmlsTime);
    double fastest = chmlsTime;
    if (chmLibTime > 0) {
        std::printf("extract_chmLib:       %8.1f ms  (ours %.2fx its time)\n", chmLibTime * 1e3,
                    decompile / chmLibTime);
        fastest = std::min(fastest, chmLibTime);
    } else {
        std::printf("extract_chmLib:       not installed (Debian libchm-bin)\n");
    }
    std::printf("our handheld pages:   %8.1f ms  (%.2fx our decompile)\n", convert * 1e3,
                convert / decompile);
    std::printf("target: our decompile <= fastest other (%.2fx)\n", decompile / fastest);
    return decompile <= fastest ? 0 : 1;
}
