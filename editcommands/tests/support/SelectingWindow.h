#pragma once
// A main window for driving commands without a display: every selection
// request is answered with the IDs in `selection`; log lines are dropped.

#include "baseutil/MainWindow.h"

#include <string>
#include <vector>

namespace mb::testing {

class SelectingWindow final : public mb::IMainWindow {
public:
    std::vector<std::string> selection;
    void Log(const std::string&, mb::LogKind) override {}
    std::vector<mb::SelectedNode> SelectedNodes(mb::Tree) override {
        std::vector<mb::SelectedNode> nodes;
        for (const std::string& id : selection)
            nodes.push_back({id, false});
        return nodes;
    }
};

} // namespace mb::testing
