#pragma once
// One element of an XML document tree: a tag name, named attributes in the
// order they were set, a text value and ordered children that it owns. Every
// project, sitemap, command parameter and configuration tree is made of these.

#include "baseutil/MabString.h"

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class CXML {
public:
    CXML() = default;
    explicit CXML(std::string tag) : m_tag(std::move(tag)) {}
    ~CXML();
    CXML(const CXML&) = delete;
    CXML& operator=(const CXML&) = delete;

    // Deletes the children and clears tag, attributes and value.
    void ResetContents();
    // Deletes the children only.
    void DelAllChild();

    void SetTagName(const std::string& tag) { m_tag = tag; }
    const std::string& GetTagName() const { return m_tag; }

    // Attributes: setting adds or overwrites; an attribute that is not set
    // reads as the empty string (callers treat "" as "not set").
    void SetAttr(const std::string& name, const std::string& value);
    void SetAttr(const std::string& name, std::string&& value);
    void SetAttr(const std::string& name, const char* value);
    void SetAttr(const std::string& name, int value);
    void SetAttr(const std::string& name, long value);
    CMabString GetAttr(const std::string& name) const;
    CMabString GetAttrText(const std::string& name) const { return GetAttr(name); }
    int GetAttrInt(const std::string& name) const;
    long GetAttrLong(const std::string& name) const;
    // Makes room for `count` attributes at once.
    void ReserveAttrs(size_t count) { m_attrs.reserve(count); }
    // The stored value, or null when the attribute is not set.
    const std::string* FindAttr(const std::string& name) const;
    bool RemoveAttr(const std::string& name);
    int GetAttrCount() const { return static_cast<int>(m_attrs.size()); }
    const std::string& GetAttrNameAt(int i) const { return m_attrs[i].first; }
    const std::string& GetAttrValueAt(int i) const { return m_attrs[i].second; }

    void SetValue(const std::string& value) { m_value = value; }
    void SetValue(const char* value) { m_value = value ? value : ""; }
    void SetValue(int value) { m_value = std::to_string(value); }
    void SetValue(long value) { m_value = std::to_string(value); }
    CMabString GetValueString() const { return m_value; }
    const std::string& Value() const { return m_value; }
    int GetValueInt() const;
    long GetValueLong() const;
    double GetValueDouble() const;

    // Children. The Add operations take ownership and return the node added;
    // Remove operations detach without deleting (the caller deletes).
    CXML* AddChild(CXML* node);
    CXML* AddChild(const std::string& tag, const std::string& value = {});
    CXML* AddChildAtFirst(CXML* node);
    CXML* InsertChildAt(int index, CXML* node);
    // Inserts `node` under this node's parent: after this node for flag 1,
    // before it for 0. Fails (null, node not taken) at the root.
    CXML* AddSibling(CXML* node, int flag);
    bool RemoveChild(CXML* node);
    CXML* RemoveAt(int index);

    int GetChildCount() const { return static_cast<int>(m_children.size()); }
    CXML* GetChildAt(int index) const;
    CXML* GetChildByTagName(const std::string& tag) const;
    // Cursor over the children, kept in this node: GetFirstChild resets it.
    CXML* GetFirstChild();
    CXML* GetNextChild();
    CXML* GetLastChild() const;
    CXML* GetParent() const { return m_parent; }
    CXML* GetNextSibling() const;
    CXML* GetPrevSibling2() const;
    // Position among the parent's children, or -1 at the root.
    int GetIndexInParent() const { return m_parent ? m_index : -1; }

    // Snapshot of the subtree in document order; index 0 is this node and
    // 1..GetDescendantsCount() the nodes below. Take it again after a change.
    void TransferToArrayStruct();
    int GetDescendantsCount() const;
    CXML* GetDescendantsAt(int index) const;

    // Deep copy owned by the caller; CopyNoChild leaves out the children.
    CXML* Copy() const;
    CXML* CopyNoChild() const;
    // Makes `target` a deep copy of this node.
    void CloneTo(CXML* target) const;
    // Appends deep copies of this node's children to `target`.
    void CloneChildTo(CXML* target) const;

    // The first descendant (depth first, document order) whose "ID" is `id`.
    CXML* FindByID(const std::string& id) const;

    // Sort settings shared by every sort: a is unused, b is the ignore-case
    // flag and c the this-level-only flag.
    static void GetSortOption(int& a, int& b, int& c);
    static void SetSortOption(int a, int b, int c);
    // Orders the children by their "Name": A to Z for direction 0, Z to A for
    // 1; the order of equal names is kept. With thisLevelOnly 0 every
    // sub-branch is sorted too.
    void SortByNameEx(int thisLevelOnly, int direction, int ignoreCase);

    // Replaces this node by the document read from the rest of `file`.
    // On malformed, truncated or over-deep input the node is left empty (no
    // tag), so callers that check the root tag see the failure; returns false.
    bool XMLRead(std::FILE* file, const char* unused = "");
    // Same from text in memory; `error`, when given, receives the reason.
    bool XMLReadString(const std::string& text, std::string* error = nullptr);
    // Writes this node and its subtree as XML text at the file position.
    bool XMLWrite(std::FILE* file, int unused = -1) const;
    // Appends this node's XML text to `out`.
    void XMLWriteString(std::string& out) const;
    // Writes the subtree, with an XML declaration, to the named file.
    bool DumpXML(const std::string& path) const;

private:
    friend class CXmlTreeBuilder;
    void Adopt(CXML* node, size_t index);
    void Renumber(size_t from);

    std::string m_tag;
    std::string m_value;
    std::vector<std::pair<std::string, std::string>> m_attrs;
    std::vector<std::unique_ptr<CXML>> m_children;
    CXML* m_parent = nullptr;
    int m_index = 0; // position in the parent's children
    size_t m_cursor = 0;
    std::vector<CXML*> m_snapshot;
};
