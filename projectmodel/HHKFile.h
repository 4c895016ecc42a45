#pragma once
// The keyword index of a project: a tree of "node" elements under the root
// element "hhkTreeRoot". "Type" 0 is a keyword with one topic in its own
// "Local", 4 a keyword with several topics, which are its children of type 5.
//
// Notifications: 22 selection (node), 25 / 26 activation, 30 font (data:
// the LOGFONTA).

#include "projectmodel/SitemapFile.h"

#include <string>

class CHHKFile : public CSitemapFile {
public:
    CHHKFile();

    // Back to the defaults, with an empty index.
    void InitHHK();

    // A new entry (owned by the caller) with "Name", "Local", "Type" and "ID"
    // (a new GUID when `id` is empty).
    static CXML* CreateNode(const std::string& name, const std::string& local, int type,
                            const std::string& id = {});
    // The node's "Type".
    int GetNodeType(const CXML* node) const { return node ? node->GetAttrInt("Type") : 0; }
};
