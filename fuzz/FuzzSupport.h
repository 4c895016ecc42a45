#pragma once
// What the project-model harnesses share: channels whose prompt answers
// every message silently, and a scratch folder that lives as long as the
// process.

#include "baseutil/UserChannels.h"
#include "projectmodel/ProjectFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace fuzz {

// Answers every message box without showing it: OK, or `yesNo` where the
// box asks Yes or No.
class SilentPrompt final : public mb::IPrompt {
public:
    explicit SilentPrompt(mb::Answer yesNo = mb::Answer::Ok) : m_yesNo(yesNo) {}
    mb::Answer Message(const mb::MessageRequest& request) override {
        return request.buttons == mb::Buttons::YesNo ? m_yesNo : mb::Answer::Ok;
    }
    std::optional<std::vector<std::string>> PickOpenFiles(const mb::PickRequest&) override {
        return std::nullopt;
    }
    std::optional<std::string> PickFolder(const mb::PickRequest&) override { return std::nullopt; }
    std::optional<std::string> PickSavePath(const mb::PickRequest&) override {
        return std::nullopt;
    }
    void BeginBusy() override {}
    void EndBusy() override {}

private:
    mb::Answer m_yesNo;
};

// A folder of the process's own, removed at exit. It lies in memory where
// the system offers that, since every run writes (and syncs) several files.
class ScratchDir {
public:
    ScratchDir() {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm", ec)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        std::string pattern = (base / "mbfuzzXXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        m_folder = pattern + "/";
    }
    ~ScratchDir() {
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& Folder() const { return m_folder; }

private:
    std::string m_folder;
};

// The channels of the harnesses' projects: the silent prompt and no log.
inline const mb::UserChannels* SilentChannels() {
    static SilentPrompt prompt;
    static const mb::UserChannels channels{&prompt};
    return &channels;
}

inline const std::string& ScratchFolder() {
    static const ScratchDir dir;
    return dir.Folder();
}

inline void WriteFile(const std::string& path, const std::string& data) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << data;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Saves `project` to `path` (whether modified or not) and returns the text
// written; a project that cannot be saved is a finding.
inline std::string SavedProjectText(CProjectFile& project, const std::string& path) {
    project.SetModified(1);
    if (project.WriteProjectFile(path) != 1)
        std::abort();
    return ReadFile(path);
}

} // namespace fuzz
