#pragma once
// Fakes for the application helper's tests: drop data built in memory, an
// add-directory dialog that answers from a script and records its calls,
// and a compact outline of a file list.

#include "appglue/AddDirectoryDialog.h"
#include "appglue/DropData.h"
#include "baseutil/Xml.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace mb::testing {

struct FakeDropData final : IDropData {
    std::map<std::string, std::string> formats;
    CXML* node = nullptr;
    bool HasFormat(const std::string& type) const override { return formats.count(type) != 0; }
    std::string Data(const std::string& type) const override {
        return HasFormat(type) ? formats.at(type) : std::string();
    }
    CXML* ArchiveNode() const override { return node; }
};

// OK stores `folder` (nothing there means Cancel) and `includeSubDir`.
struct FakeAddDirectoryDialog final : IAddDirectoryDialog {
    std::optional<std::string> folder;
    int includeSubDir = 1;
    bool confirmDrop = true;
    int calls = 0;
    CDropFileFilterSet* filtersShown = nullptr;

    bool ChooseFolder(tagAddDirectoryOption& options, CDropFileFilterSet* filters) override {
        if (!ConfirmDroppedFolders(options, filters) || !folder)
            return false;
        options.folder = *folder;
        return true;
    }
    bool ConfirmDroppedFolders(tagAddDirectoryOption& options,
                               CDropFileFilterSet* filters) override {
        ++calls;
        filtersShown = filters;
        if (confirmDrop)
            options.includeSubDir = includeSubDir;
        return confirmDrop;
    }
};

// One line per item, indented by depth: "Type Name", plus " -> Local" when
// there is a "Local" ("=" when it equals the name). `root` shows as "~".
inline void OutlineInto(const CXML& node, const std::string& root, const std::string& indent,
                        std::vector<std::string>& lines) {
    auto shorten = [&](std::string text) {
        return root.empty() || text.rfind(root, 0) != 0 ? text : "~" + text.substr(root.size());
    };
    for (int i = 0; i < node.GetChildCount(); ++i) {
        const CXML& item = *node.GetChildAt(i);
        std::string name = item.GetAttr("Name"), local = item.GetAttr("Local");
        lines.push_back(indent + item.GetAttr("Type") + " " + shorten(name));
        if (item.FindAttr("Local"))
            lines.back() += " -> " + (local == name ? "=" : shorten(local));
        OutlineInto(item, root, indent + "  ", lines);
    }
}

inline std::vector<std::string> Outline(const CXML& list, const std::string& root = {}) {
    std::vector<std::string> lines;
    OutlineInto(list, root, "", lines);
    return lines;
}

} // namespace mb::testing
