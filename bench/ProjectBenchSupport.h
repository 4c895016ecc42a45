#pragma once
// Building the large project that the benchmarks work on: 100,000 contents
// entries (nested up to 8 levels) and 100,000 index entries over 2,000
// topic files, and timing helpers.
#include "baseutil/Xml.h"
#include "projectmodel/ProjectFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace mb::bench {

constexpr int kEntries = 100000;
constexpr int kTopics = 2000;

inline double Seconds(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline double BestOf(int runs, const std::function<void()>& work) {
    double best = 1e30;
    for (int i = 0; i < runs; ++i)
        best = std::min(best, Seconds(work));
    return best;
}

inline std::string TopicPath(const std::string& folder, int i) {
    int topic = (i * 7919) % kTopics;
    return folder + "chapter" + std::to_string(topic % 20) + "/topic_" + std::to_string(topic) +
           ".htm";
}

// Levels 0 to 7 and back, so that every entry has a parent one level up.
inline int LevelOf(int i) {
    static const int kPattern[] = {0, 1, 2, 3, 4, 5, 6, 7, 7, 7, 6, 5, 4, 3, 2, 1};
    return kPattern[i % 16];
}

// A run of `kEntries` nested entries made by `make(i)`, in document order.
inline std::unique_ptr<CXML> NestedList(const std::function<CXML*(int)>& make) {
    auto list = std::make_unique<CXML>("FilesList");
    CXML* run = list->AddChild("List");
    run->SetAttr("RelativeNodeID", "ROOT");
    run->SetAttr("InsertMode", 2);
    std::vector<CXML*> path;
    for (int i = 0; i < kEntries; ++i) {
        int level = LevelOf(i);
        CXML* node = make(i);
        path.resize(level);
        (level == 0 ? run : path.back())->AddChild(node);
        path.push_back(node);
    }
    return list;
}

inline void Fill(CProjectFile& project, const std::string& folder) {
    auto contents = NestedList([&](int i) {
        return CHHCFile::CreateNode("Topic " + std::to_string(i) + ": configuring the panel",
                                    TopicPath(folder, i));
    });
    project.Content_AddFilesList2(contents.get());
    // Top-level keywords have a topic of their own (type 5) after their
    // sub-keywords.
    auto index = NestedList([&](int i) {
        int type = LevelOf(i) == 0 ? 4 : (i % 16 == 15 ? 5 : 0);
        return CHHKFile::CreateNode("keyword " + std::to_string(i), TopicPath(folder, i), type);
    });
    project.Index_AddFilesList2(index.get());
    project.ResetModifiedInfo();
}

inline void MakeTopicFiles(const std::string& folder) {
    for (int chapter = 0; chapter < 20; ++chapter)
        std::filesystem::create_directories(folder + "chapter" + std::to_string(chapter));
    for (int topic = 0; topic < kTopics; ++topic) {
        std::string path = folder + "chapter" + std::to_string(topic % 20) + "/topic_" +
                           std::to_string(topic) + ".htm";
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file) {
            std::fputs("<html><head><title>t</title></head></html>", file);
            std::fclose(file);
        }
    }
}

} // namespace mb::bench
