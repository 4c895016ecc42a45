// Reading contents and index sitemaps, from disk or from the open help file.

#include "compiledhelp/CHMFileRW.h"

#include "baseutil/SafeFile.h"
#include "baseutil/Xml.h"
#include "compiledhelp/ElementRules.h"
#include "compiledhelp/SitemapScanner.h"

namespace {

void CollectLocals(CXML* element, const std::string& sourceFolder,
                   std::vector<std::string>& topics) {
    for (int i = 0; i < element->GetChildCount(); ++i) {
        CXML* child = element->GetChildAt(i);
        if (child->GetTagName() == "PARAM" &&
            mb::chm::EqualsNoCase(child->GetAttr("name"), "Local")) {
            std::string value = child->GetAttr("value");
            if (!mb::chm::IsInternetLink(value)) {
                for (char& c : value) {
                    if (c == '\\')
                        c = '/';
                }
                value = sourceFolder + "/" + value;
            }
            topics.push_back(value);
        }
        CollectLocals(child, sourceFolder, topics);
    }
}

} // namespace

bool CCHMFileRW::ReadSitemapFile(const std::string& path, CXML* root, const char* rootTag) {
    std::string text;
    if (!root || !mb::ReadWholeFile(path, text))
        return false;
    ScanSitemap(text, *root, rootTag, m_chmFileName);
    return true;
}

bool CCHMFileRW::ReadHHCInfoToXML(const std::string& path, CXML* root) {
    return ReadSitemapFile(path, root, "HHCRoot");
}

bool CCHMFileRW::ReadHHKInfoToXML(const std::string& path, CXML* root) {
    return ReadSitemapFile(path, root, "HHKRoot");
}

bool CCHMFileRW::CHM2Web_ReadHHCInfoToXML(CXML* root, const std::string& name) {
    std::string stream = name;
    if (!root || (stream.empty() && !CHM_FindHHCAtRoot(stream)))
        return false;
    std::string text;
    if (CHM_GetStream(stream, text, true) <= 0)
        return false;
    ScanSitemap(text, *root, "HHCRoot", m_chmFileName);
    return true;
}

bool CCHMFileRW::CHM2Web_ReadHHKInfoToXML(CXML* root) {
    std::string stream;
    if (!root || !CHM_FindHHKAtRoot(stream))
        return false;
    std::string text;
    if (CHM_GetStream(stream, text, true) <= 0)
        return false;
    ScanSitemap(text, *root, "HHKRoot", m_chmFileName);
    return true;
}

bool CCHMFileRW::CHM_GetHHCInfo(CXML* root, std::vector<std::string>& topics) {
    std::string header;
    bool hasHeader = m_file.ReadStream("#IDXHDR", header) == kItsOk;
    ReadIndexHeaderColors(hasHeader ? &header : nullptr, m_backColor, m_foreColor);
    std::string name;
    std::string text;
    if (!root || !CHM_FindHHCAtRoot(name) || m_file.ReadStream(name, text) != kItsOk)
        return false;
    ScanSitemap(text, *root, "HHCRoot", m_chmFileName);
    CollectLocals(root, m_sourceFolder, topics);
    return true;
}
