#pragma once
// Building files lists and reading tree shapes in tests of the contents and
// index models.

#include "baseutil/Xml.h"

#include <initializer_list>
#include <memory>
#include <string>

namespace mb::testing {

// A "node" with "ID" = `id`, "Name" = `id` (unless given) and the children.
inline CXML* Entry(const std::string& id, std::initializer_list<CXML*> children = {},
                   const std::string& local = {}) {
    auto* node = new CXML("node");
    node->SetAttr("Name", id);
    node->SetAttr("Local", local);
    node->SetAttr("ID", id);
    for (CXML* child : children)
        node->AddChild(child);
    return node;
}

inline CXML* Typed(CXML* node, int type) {
    node->SetAttr("Type", type);
    return node;
}

// A "List" at (relative, mode) holding the nodes.
inline CXML* ListRun(const std::string& relative, int mode, std::initializer_list<CXML*> nodes) {
    auto* run = new CXML("List");
    run->SetAttr("RelativeNodeID", relative);
    run->SetAttr("InsertMode", mode);
    for (CXML* node : nodes)
        run->AddChild(node);
    return run;
}

// A type-2 files list of the runs.
inline std::unique_ptr<CXML> FilesList(std::initializer_list<CXML*> runs) {
    auto list = std::make_unique<CXML>("FilesList");
    for (CXML* run : runs)
        list->AddChild(run);
    return list;
}

// The tree below `element` as "A(B,C),D" of the nodes' IDs (or another
// attribute).
inline std::string Shape(const CXML* element, const std::string& attribute = "ID") {
    std::string text;
    for (int i = 0; i < element->GetChildCount(); ++i) {
        const CXML* child = element->GetChildAt(i);
        if (i > 0)
            text += ",";
        text += child->GetAttr(attribute);
        if (child->GetChildCount() > 0)
            text += "(" + Shape(child, attribute) + ")";
    }
    return text;
}

// A "SelectedNodes" record naming the IDs in order.
inline std::unique_ptr<CXML> Selection(std::initializer_list<const char*> ids) {
    auto selected = std::make_unique<CXML>("SelectedNodes");
    for (const char* id : ids) {
        CXML* node = selected->AddChild("node");
        node->SetAttr("ID", id);
        node->SetAttr("expanded", 0);
    }
    return selected;
}

} // namespace mb::testing
