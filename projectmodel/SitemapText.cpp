#include "projectmodel/SitemapText.h"

#include "baseutil/MabString.h"
#include "baseutil/SafeFile.h"
#include "baseutil/Xml.h"
#include "markup/HtmlEntities.h"
#include "projectmodel/LegacyText.h"
#include "projectmodel/TextValues.h"

#include <algorithm>
#include <cstdio>

namespace mb::sitemap {
namespace {

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    size_t at = 0;
    while ((at = text.find(from, at)) != std::string::npos) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
}

// The part of `text` between comma number `index` and the next one.
std::string FontPart(const std::string& text, int index, bool& present) {
    size_t start = 0;
    for (int i = 0; i < index; ++i) {
        size_t comma = text.find(',', start);
        if (comma == std::string::npos) {
            present = false;
            return {};
        }
        start = comma + 1;
    }
    present = true;
    return text.substr(start, text.find(',', start) - start);
}

} // namespace

bool ReadSitemapText(const std::string& path, int languageId, std::string& text) {
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return false;
    text = ToUtf8FromLanguage(bytes, languageId);
    return true;
}

const std::string& AttrOf(const CXML* element, const char* name) {
    static const std::string kNone;
    const std::string* value = element->FindAttr(name);
    return value ? *value : kNone;
}

CXML* StartElement(CXML* scanned) {
    CXML* start = scanned;
    if (CXML* html = scanned->GetChildByTagName("HTML"))
        start = html;
    if (CXML* body = start->GetChildByTagName("BODY"))
        start = body;
    return start;
}

CXML* FindObject(const CXML* element, const std::string& type) {
    for (int i = 0; i < element->GetChildCount(); ++i) {
        CXML* child = element->GetChildAt(i);
        if (child->GetTagName() == "OBJECT")
            return EqualsNoCase(child->GetAttr("type"), type) ? child : nullptr;
    }
    return nullptr;
}

void FillParamString(std::string& out, int depth, const std::string& name,
                     const std::string& value) {
    AppendLine(out, depth, "<param name=\"" + name + "\" value=\"" + value + "\">");
}

void AppendLine(std::string& out, int depth, const std::string& text) {
    out.append(static_cast<size_t>(std::max(depth, 0)), '\t');
    out += text;
    out += "\r\n";
}

std::string EncodeText(const std::string& text) {
    std::string encoded = text;
    ReplaceAll(encoded, "&", "&amp;");
    ReplaceAll(encoded, "<", "&lt;");
    ReplaceAll(encoded, ">", "&gt;");
    ReplaceAll(encoded, "\"", "&quot;");
    return OneLine(encoded);
}

std::string EncodeLocal(const std::string& local) {
    std::string encoded = local;
    ReplaceAll(encoded, "\"", "&quot;");
    return OneLine(encoded);
}

std::string DecodeText(const std::string& raw) {
    return html::DecodeReferences(raw);
}

std::string DecodeLocal(const std::string& raw) {
    std::string decoded = html::DecodeReferences(raw);
    ReplaceAll(decoded, "%20", " ");
    return decoded;
}

std::string HexText(uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(value));
    return text;
}

std::string FontText(const std::string& face, long size, int charset) {
    return face + "," + std::to_string(size) + "," + std::to_string(charset);
}

void ParseFontText(const std::string& text, std::string& face, long& size, int& charset) {
    size = 9;
    charset = 0;
    bool present = false;
    face = FontPart(text, 0, present);
    if (!text.empty() && text[0] == ',')
        return;
    std::string part = FontPart(text, 1, present);
    if (present)
        size = CMabString(part).GetLong();
    part = FontPart(text, 2, present);
    if (present)
        charset = CMabString(part).GetInt();
}

std::vector<LeveledEntry> EntriesInOrder(const CXML* root) {
    std::vector<LeveledEntry> entries;
    std::vector<LeveledEntry> pending;
    for (int i = root->GetChildCount() - 1; i >= 0; --i)
        pending.push_back({root->GetChildAt(i), 0});
    while (!pending.empty()) {
        LeveledEntry entry = pending.back();
        pending.pop_back();
        entries.push_back(entry);
        for (int i = entry.node->GetChildCount() - 1; i >= 0; --i)
            pending.push_back({entry.node->GetChildAt(i), entry.level + 1});
    }
    return entries;
}

ListWriter::ListWriter(std::string& out) : m_out(out) {
    AppendLine(m_out, 0, "<UL>");
    m_opened.push_back(-1);
}

int ListWriter::MoveTo(int level) {
    if (level > m_previous) {
        AppendLine(m_out, static_cast<int>(m_opened.size()), "<UL>");
        m_opened.push_back(m_previous);
    } else if (level < m_previous) {
        while (!m_opened.empty() && m_opened.back() >= level) {
            m_opened.pop_back();
            AppendLine(m_out, static_cast<int>(m_opened.size()), "</UL>");
        }
    }
    m_previous = level;
    return static_cast<int>(m_opened.size());
}

void ListWriter::Finish() {
    while (!m_opened.empty()) {
        m_opened.pop_back();
        AppendLine(m_out, static_cast<int>(m_opened.size()), "</UL>");
    }
}

void LevelNester::Add(CXML* node, int level) {
    int deepest = static_cast<int>(m_path.size());
    level = std::clamp(level, 0, std::min(deepest, kMaxLevel));
    CXML* parent = level == 0 ? m_list : m_path[level - 1];
    parent->AddChild(node);
    m_path.resize(level);
    m_path.push_back(node);
}

void AddParam(CXML* properties, const std::string& name, const std::string& value) {
    CXML* param = properties->AddChild("param");
    param->SetAttr("name", name);
    param->SetAttr("value", value);
}

CXML* ChildOrNew(CXML* element, const std::string& tag) {
    CXML* child = element->GetChildByTagName(tag);
    return child ? child : element->AddChild(tag);
}

void CopySiteProperties(const CXML* start, CXML* properties, std::span<const char* const> names) {
    const CXML* object = FindObject(start, "text/site properties");
    if (!object)
        return;
    for (int i = 0; i < object->GetChildCount(); ++i) {
        const CXML* param = object->GetChildAt(i);
        for (const char* name : names) {
            if (mb::EqualsNoCase(param->GetAttr("name"), name)) {
                AddParam(properties, name, DecodeText(param->GetAttr("value")));
                break;
            }
        }
    }
}

} // namespace mb::sitemap
