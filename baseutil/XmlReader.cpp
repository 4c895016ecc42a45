// Builds a CXML tree straight from expat's events, without an intermediate
// document, handing the elements a sink wants to the sink instead. Any error
// (malformed or truncated text, entity declarations, nesting deeper than
// kMaxDepth) leaves the target node empty.

#include "baseutil/Xml.h"
#include "baseutil/XmlProgress.h"

#include <expat.h>

#include <cstring>

namespace {
constexpr size_t kMaxDepth = 2000;
constexpr size_t kChunk = 1 << 16;

bool IsBlank(const std::string& text) {
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    }
    return true;
}
} // namespace

class CXmlTreeBuilder {
public:
    CXmlTreeBuilder(CXML* root, CXmlElementSink* sink)
        : m_root(root), m_sink(sink), m_parser(XML_ParserCreate("UTF-8")) {
        XML_SetUserData(m_parser, this);
        XML_SetElementHandler(m_parser, &CXmlTreeBuilder::OnStart, &CXmlTreeBuilder::OnEnd);
        XML_SetCharacterDataHandler(m_parser, &CXmlTreeBuilder::OnText);
        XML_SetCdataSectionHandler(m_parser, &CXmlTreeBuilder::OnCdataStart,
                                   &CXmlTreeBuilder::OnCdataEnd);
        XML_SetEntityDeclHandler(m_parser, &CXmlTreeBuilder::OnEntityDecl);
    }
    ~CXmlTreeBuilder() { XML_ParserFree(m_parser); }
    CXmlTreeBuilder(const CXmlTreeBuilder&) = delete;
    CXmlTreeBuilder& operator=(const CXmlTreeBuilder&) = delete;

    bool Feed(const char* data, size_t size, bool final) {
        if (!m_error.empty())
            return false;
        if (XML_Parse(m_parser, data, static_cast<int>(size), final ? XML_TRUE : XML_FALSE) ==
            XML_STATUS_ERROR) {
            if (m_error.empty())
                m_error = std::string(XML_ErrorString(XML_GetErrorCode(m_parser))) + " at line " +
                          std::to_string(XML_GetCurrentLineNumber(m_parser));
            return false;
        }
        if (final && !m_rootSeen)
            m_error = "no root element";
        return m_error.empty();
    }

    const std::string& Error() const { return m_error; }

private:
    struct Open {
        CXML* node;
        bool hadCdata;
        bool hadChildren; // those that went to the sink included
        bool forSink;
    };

    static void OnStart(void* self, const XML_Char* name, const XML_Char** attrs) {
        static_cast<CXmlTreeBuilder*>(self)->Start(name, attrs);
    }
    static void OnEnd(void* self, const XML_Char*) { static_cast<CXmlTreeBuilder*>(self)->End(); }
    static void OnText(void* self, const XML_Char* text, int length) {
        auto* builder = static_cast<CXmlTreeBuilder*>(self);
        if (!builder->m_open.empty())
            builder->m_open.back().node->m_value.append(text, static_cast<size_t>(length));
    }
    static void OnCdataStart(void* self) {
        auto* builder = static_cast<CXmlTreeBuilder*>(self);
        if (!builder->m_open.empty())
            builder->m_open.back().hadCdata = true;
    }
    static void OnCdataEnd(void*) {}
    static void OnEntityDecl(void* self, const XML_Char*, int, const XML_Char*, int,
                             const XML_Char*, const XML_Char*, const XML_Char*, const XML_Char*) {
        static_cast<CXmlTreeBuilder*>(self)->Stop("entity declarations are not accepted");
    }

    void Stop(const char* why) {
        if (m_error.empty())
            m_error = why;
        XML_StopParser(m_parser, XML_FALSE);
    }

    void Start(const XML_Char* name, const XML_Char** attrs) {
        if (m_open.size() >= kMaxDepth) {
            Stop("elements are nested too deeply");
            return;
        }
        CXML* node;
        bool forSink = false;
        if (!m_open.empty())
            m_open.back().hadChildren = true;
        if (m_open.empty()) {
            node = m_root;
            m_rootSeen = true;
        } else if (!m_inSink && m_sink && m_sink->Wants(*m_open.back().node, name)) {
            // One element serves every element the sink takes, so that its
            // strings keep their room from one to the next.
            node = &m_forSink;
            forSink = m_inSink = true;
        } else {
            CXML* parent = m_open.back().node;
            node = new CXML();
            node->m_parent = parent;
            node->m_index = static_cast<int>(parent->m_children.size());
            parent->m_children.emplace_back(node);
        }
        node->m_tag = name;
        size_t count = 0;
        while (attrs[count])
            count += 2;
        node->m_attrs.resize(count / 2);
        for (size_t i = 0; i < count; i += 2) {
            node->m_attrs[i / 2].first = attrs[i];
            node->m_attrs[i / 2].second = attrs[i + 1];
        }
        m_open.push_back({node, false, false, forSink});
    }

    void End() {
        Open& open = m_open.back();
        CXML* node = open.node;
        // Line breaks and indentation between child elements are layout, not value.
        if (open.hadChildren && !open.hadCdata && IsBlank(node->m_value))
            node->m_value.clear();
        bool forSink = open.forSink;
        m_open.pop_back();
        if (forSink) {
            m_sink->Take(*m_open.back().node, *node);
            node->DelAllChild();
            node->m_value.clear();
            m_inSink = false;
        }
    }

    CXML* m_root;
    CXmlElementSink* m_sink;
    CXML m_forSink;
    bool m_inSink = false;
    XML_Parser m_parser;
    std::vector<Open> m_open;
    bool m_rootSeen = false;
    std::string m_error;
};

bool CXML::XMLReadString(const std::string& text, std::string* error) {
    ResetContents();
    bool ok;
    std::string why;
    {
        CXmlTreeBuilder builder(this, nullptr);
        ok = true;
        size_t offset = 0;
        // Fed in pieces: expat takes an int length.
        while (ok && text.size() - offset > kChunk * 1024) {
            ok = builder.Feed(text.data() + offset, kChunk * 1024, false);
            offset += kChunk * 1024;
        }
        ok = ok && builder.Feed(text.data() + offset, text.size() - offset, true);
        why = builder.Error();
    }
    if (!ok) {
        ResetContents();
        if (error)
            *error = why;
    }
    return ok;
}

bool CXML::XMLRead(std::FILE* file, const char*) {
    return XMLReadWithProgress(*this, file, nullptr);
}

bool XMLReadWithProgress(CXML& node, std::FILE* file,
                         const std::function<void(long long bytesRead)>& progress,
                         CXmlElementSink* sink) {
    node.ResetContents();
    if (!file)
        return false;
    bool ok = true;
    {
        CXmlTreeBuilder builder(&node, sink);
        char buffer[kChunk];
        size_t got;
        long long read = 0;
        while (ok && (got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            ok = builder.Feed(buffer, got, false);
            read += static_cast<long long>(got);
            if (progress)
                progress(read);
        }
        ok = ok && !std::ferror(file) && builder.Feed(nullptr, 0, true);
    }
    if (!ok)
        node.ResetContents();
    return ok;
}
