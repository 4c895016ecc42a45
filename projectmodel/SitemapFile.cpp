#include "projectmodel/SitemapFile.h"

#include "baseutil/FileChecks.h"
#include "baseutil/Path.h"
#include "baseutil/Prompt.h"
#include "baseutil/SafeFile.h"
#include "commonkit/StringTable.h"
#include "compiledhelp/SitemapScanner.h"
#include "projectmodel/CompilerText.h"
#include "projectmodel/ProjectFile.h"
#include "projectmodel/SitemapText.h"
#include "projectmodel/TextValues.h"
#include "projectmodel/TopicPath.h"
#include "runconfig/ConfigData.h"

#include <cmath>
#include <vector>

namespace {

// Pixels per inch of the screen the fonts are measured on. The library has
// no window of its own, so it uses the desktop's standard logical
// resolution; sizes then survive the way through a height and back.
constexpr long kScreenDpi = 96;

long MulDiv(long a, long b, long c) {
    return static_cast<long>(std::llround(static_cast<double>(a) * b / c));
}

int CountBelow(const CXML* root) {
    int count = 0;
    std::vector<const CXML*> pending{root};
    while (!pending.empty()) {
        const CXML* node = pending.back();
        pending.pop_back();
        count += node->GetChildCount();
        for (int i = 0; i < node->GetChildCount(); ++i)
            pending.push_back(node->GetChildAt(i));
    }
    return count;
}

} // namespace

CSitemapFile::CSitemapFile(const std::string& rootTag, Codes codes)
    : m_root(std::make_unique<CXML>(rootTag)), m_codes(codes) {}

CSitemapFile::~CSitemapFile() = default;

CXML* CSitemapFile::GetNodeByID(const std::string& id) const {
    if (id.empty() || mb::EqualsNoCase(id, "ROOT"))
        return m_root.get();
    if (mb::EqualsNoCase(id, "TAIL")) {
        CXML* last = m_root->GetLastChild();
        return last ? last : m_root.get();
    }
    return m_index.Find(id);
}

std::string CSitemapFile::GetNodeID(const CXML* node) const {
    if (node == m_root.get())
        return "ROOT";
    return node ? node->GetAttr("ID") : std::string();
}

CXML* CSitemapFile::GetParentNode(const CXML* node) const {
    if (!node)
        return nullptr;
    CXML* parent = node->GetParent();
    return parent == m_root.get() ? nullptr : parent;
}

CXML* CSitemapFile::GetParentNode(const std::string& id) const {
    CXML* node = m_index.Find(id);
    return node ? GetParentNode(node) : nullptr;
}

std::string CSitemapFile::GetNodeURL(const CXML* node) const {
    return node ? node->GetAttr("Local") : std::string();
}

int CSitemapFile::GetCount() const {
    return CountBelow(m_root.get());
}

void CSitemapFile::SetSelectedNode(CXML* node) {
    if (node == m_selected)
        return;
    m_selected = node;
    Notify(m_codes.selected, node);
}

void CSitemapFile::OnActivate(int flag) {
    Notify(flag ? m_codes.activated : m_codes.deactivated);
}

void CSitemapFile::InitFont() {
    LOGFONTA font;
    font.lfHeight = GetFontHeightFromFontSize(9);
    font.lfWeight = 400;
    font.lfCharSet = 0;
    font.lfOutPrecision = 3;
    font.lfClipPrecision = 2;
    font.lfQuality = 1;
    font.lfPitchAndFamily = 0x22;
    font.lfFaceName = "MS Sans Serif";
    SetFont(font);
}

void CSitemapFile::SetFont(const std::string& face, long size, unsigned char charset) {
    m_faceName = face;
    m_fontSize = size;
    m_charSet = charset;
    m_logFont.lfHeight = GetFontHeightFromFontSize(size);
    m_logFont.lfWeight = 400;
    m_logFont.lfItalic = 0;
    m_logFont.lfUnderline = 0;
    m_logFont.lfStrikeOut = 0;
    m_logFont.lfCharSet = charset;
    m_logFont.lfFaceName = face;
    Notify(m_codes.fontChanged, nullptr, &m_logFont);
    SetModified();
}

void CSitemapFile::GetFont(std::string& face, long& size, unsigned char& charset) const {
    face = m_faceName;
    size = m_fontSize;
    charset = m_charSet;
}

void CSitemapFile::SetFont(const LOGFONTA& font) {
    m_logFont = font;
    // Rounded, so that a size survives the way through a height and back.
    long size = MulDiv(-font.lfHeight, 72, kScreenDpi);
    SetFont(font.lfFaceName, size, font.lfCharSet);
}

long CSitemapFile::GetFontHeightFromFontSize(long size) {
    return -MulDiv(size, kScreenDpi, 72);
}

void CSitemapFile::ClearTree() {
    m_index.Clear();
    m_root->DelAllChild();
    m_selected = nullptr;
    m_dropped = nullptr;
}

void CSitemapFile::SetModified() {
    if (m_project)
        m_project->NoteTreeChange();
}

const mb::UserChannels& CSitemapFile::Channels() const {
    return m_project ? m_project->Channels() : mb::QuietChannels();
}

const CConfigData& CSitemapFile::Config() const {
    static const CConfigData defaults{std::string()};
    return m_project ? m_project->Settings().config : defaults;
}

CXML* CSitemapFile::Records() {
    if (m_project)
        return m_project->GetModifiedInfo();
    if (!m_ownRecords)
        m_ownRecords = std::make_unique<CXML>("ModifiedInfo");
    return m_ownRecords.get();
}

std::string CSitemapFile::ToProjectForm(const std::string& path) const {
    std::string stored = path;
    if (m_project && !stored.empty())
        m_project->AbsolutePathToRelativePath(stored);
    return stored;
}

std::string CSitemapFile::FromProjectForm(const std::string& value) const {
    return m_project ? m_project->PageFromProjectForm(value) : value;
}

std::string CSitemapFile::ResolveSitemapPath(const std::string& folder,
                                             const std::string& value) const {
    if (value.empty() || mb::IsFixedLocation(value))
        return value;
    return m_project ? m_project->ResolvePath(folder, value)
                     : mb::ResolveAgainstFolder(folder, value).path;
}

bool CSitemapFile::OpenSitemapSource(const std::string& path, CXML* element, const char* rootTag,
                                     std::span<const char* const> propertyNames, CXML& scanned,
                                     SitemapSource& source) const {
    using namespace mb::sitemap;
    CXML* properties = ChildOrNew(element, "SiteProperties");
    source.siteMap = ChildOrNew(element, "SiteMap");
    m_readProblem.clear();
    std::string text;
    if (!ReadSitemapText(path, LanguageId(), text)) {
        m_readProblem = mb::UnreadableReason(path);
        if (m_readProblem.empty())
            m_readProblem = "it cannot be read";
        return false;
    }
    size_t leftOut = ScanSitemap(text, scanned, rootTag, "");
    if (text.find('\0') != std::string::npos ||
        (scanned.GetChildCount() == 0 &&
         text.find_first_not_of(" \t\r\n") != std::string::npos)) {
        m_readProblem = "it is not a contents or index file (it holds no sitemap)";
        scanned.ResetContents();
        return false;
    }
    if (leftOut > 0) {
        mb::ShowMessage(*Channels().prompt,
                        std::to_string(leftOut) + " entries of \"" + path +
                            "\" are nested too deeply to be read and were left out.",
                        CStrHelper::ML_GetStringEx(kStrProductName), mb::Buttons::Ok,
                        mb::Icon::Warning);
    }
    source.start = StartElement(&scanned);
    CopySiteProperties(source.start, properties, propertyNames);
    // Entries name the same pages again and again, and resolving one may
    // look at the disk: each page is resolved once per file.
    auto paths = std::make_shared<ResolvedPaths>();
    std::string folder = CPath(path).GetLocation();
    source.resolve = [this, paths, folder](const std::string& value) {
        return paths->Get(value,
                          [&](const std::string& v) { return ResolveSitemapPath(folder, v); });
    };
    return true;
}

std::string CSitemapFile::ToSitemapForm(const std::string& path) const {
    std::string written = ToProjectForm(path);
    if (!written.empty() && written[0] == '\\' && (written.size() < 2 || written[1] != '\\'))
        written.erase(0, 1);
    return written;
}

int CSitemapFile::LanguageId() const {
    int language = 1033;
    if (m_project)
        m_project->GetHHPFile()->GetOptionsData(OPT_LANGUAGE, language);
    return language;
}

int CSitemapFile::WriteCompilerFile(const std::string& path, const std::string& text) const {
    if (mb::IsReadOnlyFile(path)) {
        CProjectFile::ShowReadOnlyWarning(*Channels().prompt, path);
        return 0;
    }
    return mb::WriteCompilerTextFile(path, text, LanguageId(), Channels().log, nullptr) ? 1 : 0;
}

void CSitemapFile::ReadSiteProperties(
    const CXML* element,
    const std::function<void(const std::string& name, const std::string& value)>& property) {
    if (!element)
        return;
    if (const CXML* properties = element->GetChildByTagName("SiteProperties")) {
        for (int i = 0; i < properties->GetChildCount(); ++i) {
            const CXML* param = properties->GetChildAt(i);
            std::string name = param->GetAttr("name");
            std::string value = param->GetAttr("value");
            if (name == "FrameName") {
                m_frameName = value;
            } else if (name == "WindowName") {
                m_windowName = value;
            } else if (name == "Font") {
                std::string face;
                long size = 9;
                int charset = 0;
                mb::sitemap::ParseFontText(value, face, size, charset);
                SetFont(face, size, static_cast<unsigned char>(charset));
            } else {
                property(name, value);
            }
        }
    }
}
