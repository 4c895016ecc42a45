#include "baseutil/Xml.h"

#include <algorithm>
#include <cstdlib>

CXML::~CXML() { DelAllChild(); }

void CXML::ResetContents() {
    DelAllChild();
    m_tag.clear();
    m_value.clear();
    m_attrs.clear();
}

void CXML::DelAllChild() {
    // Iterative, so that very deep trees cannot exhaust the stack.
    std::vector<std::unique_ptr<CXML>> pending = std::move(m_children);
    m_children.clear();
    m_cursor = 0;
    m_snapshot.clear();
    while (!pending.empty()) {
        std::unique_ptr<CXML> node = std::move(pending.back());
        pending.pop_back();
        for (auto& child : node->m_children)
            pending.push_back(std::move(child));
        node->m_children.clear();
    }
}

void CXML::SetAttr(const std::string& name, const std::string& value) {
    for (auto& attr : m_attrs) {
        if (attr.first == name) {
            attr.second = value;
            return;
        }
    }
    m_attrs.emplace_back(name, value);
}

void CXML::SetAttr(const std::string& name, std::string&& value) {
    for (auto& attr : m_attrs) {
        if (attr.first == name) {
            attr.second = std::move(value);
            return;
        }
    }
    m_attrs.emplace_back(name, std::move(value));
}

void CXML::SetAttr(const std::string& name, const char* value) {
    SetAttr(name, std::string(value ? value : ""));
}

void CXML::SetAttr(const std::string& name, int value) { SetAttr(name, std::to_string(value)); }

void CXML::SetAttr(const std::string& name, long value) { SetAttr(name, std::to_string(value)); }

const std::string* CXML::FindAttr(const std::string& name) const {
    for (const auto& attr : m_attrs) {
        if (attr.first == name)
            return &attr.second;
    }
    return nullptr;
}

CMabString CXML::GetAttr(const std::string& name) const {
    const std::string* value = FindAttr(name);
    return value ? CMabString(*value) : CMabString();
}

int CXML::GetAttrInt(const std::string& name) const {
    const std::string* value = FindAttr(name);
    return value ? CMabString::ToInt(*value) : 0;
}

long CXML::GetAttrLong(const std::string& name) const {
    const std::string* value = FindAttr(name);
    return value ? CMabString::ToLong(*value) : 0;
}

bool CXML::RemoveAttr(const std::string& name) {
    for (auto it = m_attrs.begin(); it != m_attrs.end(); ++it) {
        if (it->first == name) {
            m_attrs.erase(it);
            return true;
        }
    }
    return false;
}

int CXML::GetValueInt() const { return CMabString(m_value).GetInt(); }

long CXML::GetValueLong() const { return CMabString(m_value).GetLong(); }

double CXML::GetValueDouble() const { return std::strtod(m_value.c_str(), nullptr); }

void CXML::Renumber(size_t from) {
    for (size_t i = from; i < m_children.size(); ++i)
        m_children[i]->m_index = static_cast<int>(i);
}

void CXML::Adopt(CXML* node, size_t index) {
    node->m_parent = this;
    m_children.insert(m_children.begin() + static_cast<std::ptrdiff_t>(index),
                      std::unique_ptr<CXML>(node));
    Renumber(index);
}

CXML* CXML::AddChild(CXML* node) {
    if (!node)
        return nullptr;
    Adopt(node, m_children.size());
    return node;
}

CXML* CXML::AddChild(const std::string& tag, const std::string& value) {
    CXML* node = new CXML(tag);
    node->m_value = value;
    return AddChild(node);
}

CXML* CXML::AddChildAtFirst(CXML* node) { return InsertChildAt(0, node); }

CXML* CXML::InsertChildAt(int index, CXML* node) {
    if (!node)
        return nullptr;
    size_t at = index < 0 ? 0 : std::min(static_cast<size_t>(index), m_children.size());
    Adopt(node, at);
    return node;
}

CXML* CXML::AddSibling(CXML* node, int flag) {
    if (!node || !m_parent)
        return nullptr;
    m_parent->Adopt(node, static_cast<size_t>(m_index) + (flag == 1 ? 1 : 0));
    return node;
}

CXML* CXML::RemoveAt(int index) {
    if (index < 0 || index >= GetChildCount())
        return nullptr;
    CXML* node = m_children[index].release();
    m_children.erase(m_children.begin() + index);
    Renumber(static_cast<size_t>(index));
    node->m_parent = nullptr;
    node->m_index = 0;
    if (m_cursor > static_cast<size_t>(index))
        --m_cursor;
    return node;
}

bool CXML::RemoveChild(CXML* node) {
    if (!node || node->m_parent != this)
        return false;
    return RemoveAt(node->m_index) != nullptr;
}

CXML* CXML::GetChildAt(int index) const {
    if (index < 0 || index >= GetChildCount())
        return nullptr;
    return m_children[index].get();
}

CXML* CXML::GetChildByTagName(const std::string& tag) const {
    for (const auto& child : m_children) {
        if (child->m_tag == tag)
            return child.get();
    }
    return nullptr;
}

CXML* CXML::GetFirstChild() {
    m_cursor = 0;
    return GetNextChild();
}

CXML* CXML::GetNextChild() {
    if (m_cursor >= m_children.size())
        return nullptr;
    return m_children[m_cursor++].get();
}

CXML* CXML::GetLastChild() const { return m_children.empty() ? nullptr : m_children.back().get(); }

CXML* CXML::GetNextSibling() const { return m_parent ? m_parent->GetChildAt(m_index + 1) : nullptr; }

CXML* CXML::GetPrevSibling2() const {
    return m_parent ? m_parent->GetChildAt(m_index - 1) : nullptr;
}

void CXML::TransferToArrayStruct() {
    m_snapshot.clear();
    std::vector<const CXML*> stack{this};
    while (!stack.empty()) {
        const CXML* node = stack.back();
        stack.pop_back();
        m_snapshot.push_back(const_cast<CXML*>(node));
        for (auto it = node->m_children.rbegin(); it != node->m_children.rend(); ++it)
            stack.push_back(it->get());
    }
}

int CXML::GetDescendantsCount() const {
    return m_snapshot.empty() ? 0 : static_cast<int>(m_snapshot.size()) - 1;
}

CXML* CXML::GetDescendantsAt(int index) const {
    if (index < 0 || static_cast<size_t>(index) >= m_snapshot.size())
        return nullptr;
    return m_snapshot[index];
}

CXML* CXML::CopyNoChild() const {
    CXML* copy = new CXML(m_tag);
    copy->m_value = m_value;
    copy->m_attrs = m_attrs;
    return copy;
}

CXML* CXML::Copy() const {
    CXML* copy = CopyNoChild();
    CloneChildTo(copy);
    return copy;
}

void CXML::CloneChildTo(CXML* target) const {
    if (!target)
        return;
    // Snapshot first: cloning into a node of this very subtree must not see
    // its own new children.
    std::vector<const CXML*> sources;
    sources.reserve(m_children.size());
    for (const auto& child : m_children)
        sources.push_back(child.get());
    for (const CXML* child : sources)
        target->AddChild(child->Copy());
}

void CXML::CloneTo(CXML* target) const {
    if (!target || target == this)
        return;
    std::unique_ptr<CXML> copy(Copy());
    target->ResetContents();
    target->m_tag = std::move(copy->m_tag);
    target->m_value = std::move(copy->m_value);
    target->m_attrs = std::move(copy->m_attrs);
    for (auto& child : copy->m_children)
        target->AddChild(child.release());
    copy->m_children.clear();
}

CXML* CXML::FindByID(const std::string& id) const {
    std::vector<const CXML*> stack;
    for (auto it = m_children.rbegin(); it != m_children.rend(); ++it)
        stack.push_back(it->get());
    while (!stack.empty()) {
        const CXML* node = stack.back();
        stack.pop_back();
        const std::string* value = node->FindAttr("ID");
        if (value && *value == id)
            return const_cast<CXML*>(node);
        for (auto it = node->m_children.rbegin(); it != node->m_children.rend(); ++it)
            stack.push_back(it->get());
    }
    return nullptr;
}
