// XML text of a CXML subtree. Children are indented with CR LF and tabs when
// their parent has no value of its own; otherwise they follow the value
// directly, so that every value reads back exactly as it was set.
// Text that XML cannot carry (bytes that are not UTF-8, control characters)
// is written as U+FFFD, so a saved document always reads back.

#include "baseutil/SafeFile.h"
#include "baseutil/Xml.h"

#include <cstring>

namespace {

constexpr const char* kReplacement = "\xEF\xBF\xBD";

// Length of the valid UTF-8 sequence at text[i] that XML 1.0 allows, or 0.
size_t ValidSequence(const std::string& text, size_t i) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    size_t n = text.size();
    unsigned char c = s[i];
    if (c < 0xC2 || c > 0xF4)
        return 0;
    if (c < 0xE0)
        return (i + 1 < n && (s[i + 1] & 0xC0) == 0x80) ? 2 : 0;
    if (c < 0xF0) {
        if (i + 2 >= n || (s[i + 1] & 0xC0) != 0x80 || (s[i + 2] & 0xC0) != 0x80)
            return 0;
        if (c == 0xE0 && s[i + 1] < 0xA0)
            return 0; // overlong
        if (c == 0xED && s[i + 1] >= 0xA0)
            return 0; // surrogate
        if (c == 0xEF && s[i + 1] == 0xBF && (s[i + 2] == 0xBE || s[i + 2] == 0xBF))
            return 0; // U+FFFE, U+FFFF
        return 3;
    }
    if (i + 3 >= n || (s[i + 1] & 0xC0) != 0x80 || (s[i + 2] & 0xC0) != 0x80 ||
        (s[i + 3] & 0xC0) != 0x80)
        return 0;
    if ((c == 0xF0 && s[i + 1] < 0x90) || (c == 0xF4 && s[i + 1] >= 0x90))
        return 0;
    return 4;
}

void AppendEscaped(const std::string& text, bool inAttribute, std::string& out) {
    size_t run = 0; // start of the pending run of bytes copied as they are
    auto flush = [&](size_t upTo) { out.append(text, run, upTo - run); };
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        const char* replacement = nullptr;
        size_t length = 1;
        if (c >= 0x80) {
            length = ValidSequence(text, i);
            if (length == 0) {
                replacement = kReplacement;
                length = 1;
            }
        } else if (c == '&') {
            replacement = "&amp;";
        } else if (c == '<') {
            replacement = "&lt;";
        } else if (c == '>') {
            replacement = "&gt;";
        } else if (c == '"' && inAttribute) {
            replacement = "&quot;";
        } else if (c == '\r') {
            replacement = "&#13;";
        } else if (c == '\n' && inAttribute) {
            replacement = "&#10;";
        } else if (c == '\t' && inAttribute) {
            replacement = "&#9;";
        } else if (c < 0x20 && c != '\n' && c != '\t') {
            replacement = kReplacement;
        }
        if (replacement) {
            flush(i);
            out += replacement;
            run = i + length;
        }
        i += length;
    }
    flush(text.size());
}

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

class XmlTextWriter {
public:
    XmlTextWriter(std::string& out, std::FILE* file) : m_out(out), m_file(file) {}

    bool Write(const CXML& root) {
        WriteNode(root, 0);
        return Flush(true);
    }

private:
    void WriteNode(const CXML& node, int depth) {
        m_out += '<';
        m_out += node.GetTagName();
        for (int i = 0; i < node.GetAttrCount(); ++i) {
            m_out += ' ';
            m_out += node.GetAttrNameAt(i);
            m_out += "=\"";
            AppendEscaped(node.GetAttrValueAt(i), true, m_out);
            m_out += '"';
        }
        const std::string& value = node.Value();
        int count = node.GetChildCount();
        if (count == 0) {
            if (value.empty()) {
                m_out += "/>";
            } else {
                m_out += '>';
                AppendEscaped(value, false, m_out);
                CloseTag(node);
            }
            return;
        }
        m_out += '>';
        bool indent = value.empty();
        if (!indent) {
            if (IsBlank(value)) {
                m_out += "<![CDATA[";
                m_out += value;
                m_out += "]]>";
            } else {
                AppendEscaped(value, false, m_out);
            }
        }
        for (int i = 0; i < count; ++i) {
            if (indent)
                NewLine(depth + 1);
            WriteNode(*node.GetChildAt(i), depth + 1);
            Flush(false);
        }
        if (indent)
            NewLine(depth);
        CloseTag(node);
    }

    void CloseTag(const CXML& node) {
        m_out += "</";
        m_out += node.GetTagName();
        m_out += '>';
    }

    void NewLine(int depth) {
        m_out += "\r\n";
        m_out.append(static_cast<size_t>(depth), '\t');
    }

    bool Flush(bool final) {
        if (!m_file || (!final && m_out.size() < (1u << 20)))
            return true;
        bool ok = std::fwrite(m_out.data(), 1, m_out.size(), m_file) == m_out.size();
        m_failed = m_failed || !ok;
        m_out.clear();
        return !m_failed;
    }

    std::string& m_out;
    std::FILE* m_file;
    bool m_failed = false;
};

} // namespace

void CXML::XMLWriteString(std::string& out) const {
    XmlTextWriter writer(out, nullptr);
    writer.Write(*this);
}

bool CXML::XMLWrite(std::FILE* file, int) const {
    if (!file)
        return false;
    std::string buffer;
    XmlTextWriter writer(buffer, file);
    return writer.Write(*this);
}

bool CXML::DumpXML(const std::string& path) const {
    mb::SafeFileWriter writer(path);
    return writer.Write("<?xml version=\"1.0\" encoding=\"utf-8\" ?>\r\n") &&
           XMLWrite(writer.File()) && writer.Commit();
}
