#pragma once
// A desktop for tests: records what it was asked to open and starts nothing.

#include "baseutil/Desktop.h"

#include <string>
#include <vector>

namespace mb::testing {

class RecordingDesktop final : public IDesktop {
public:
    std::vector<std::string> opened;
    std::optional<DesktopProgram> defaultProgram; // what it names for every file
    bool Open(const std::string& pathOrUrl) override {
        opened.push_back(pathOrUrl);
        return true;
    }
    std::optional<DesktopProgram> DefaultProgramFor(const std::string&) override {
        return defaultProgram;
    }
    bool StartProgram(const std::string&, const std::string&) override { return false; }
};

} // namespace mb::testing
