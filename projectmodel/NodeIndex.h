#pragma once
// The entries of one tree by their "ID", so that looking an entry up never
// walks the tree. The tree model keeps it in step with every insertion and
// removal; entries are only ever added to or taken out of a tree through
// the model, and the ID of an entry in a tree is never changed in place.

#include <cstddef>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class CXML;

namespace mb {

class NodeIndex {
public:
    // Indexes `node` and every node below it. A node without an "ID" is
    // not indexed.
    void AddSubtree(CXML* node);
    // Nodes to be indexed in one go, each with its ID taken when added,
    // while the node is at hand: filling the index itself in a run of its
    // own keeps its storage together.
    class Pending {
    public:
        void Add(CXML* node);

    private:
        friend class NodeIndex;
        std::vector<std::pair<size_t, CXML*>> m_nodes;
    };
    void Add(const Pending& pending);
    // Forgets `node` and every node below it (call before detaching them).
    void RemoveSubtree(const CXML* node);
    // A node with this "ID", or null. Should a hand-made list have put the
    // same ID into the tree twice, either node may be found.
    CXML* Find(const std::string& id) const;
    void Clear() { m_byHash.clear(); }

private:
    void Add(CXML* node);
    void Remove(const CXML* node);

    // Keyed by the hash of the ID, so that the index holds no copy of the
    // IDs; a lookup compares the IDs of the nodes under that hash.
    std::unordered_multimap<size_t, CXML*> m_byHash;
};

} // namespace mb
