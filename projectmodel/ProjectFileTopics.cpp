// Naming new entries after their pages, and fresh folders in the project.

#include "baseutil/Path.h"
#include "baseutil/SafeFile.h"
#include "compiledhelp/CHMFileRW.h"
#include "projectmodel/PageTitle.h"
#include "projectmodel/ProjectFile.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <thread>

namespace {

// Values of the configuration's HTML_TOPIC: what names an entry of a page.
constexpr int kTopicFromTitle = 0;
constexpr int kTopicFromBaseName = 2;

// Base name, upper-cased extension (empty without a ".") of a file name.
struct FileNameParts {
    std::string base;
    std::string extension;
};

FileNameParts SplitFileName(const std::string& fileName) {
    size_t dot = fileName.rfind('.');
    if (dot == std::string::npos)
        return {fileName, {}};
    std::string extension = fileName.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return {fileName.substr(0, dot), extension};
}

bool IsHtmlExtension(const std::string& extension) {
    return extension == "HTM" || extension == "HTML";
}

} // namespace

int CProjectFile::LanguageId() const {
    int language = 0;
    m_hhp.GetOptionsData(OPT_LANGUAGE, language);
    return language;
}

bool CProjectFile::GetNodeNameFromFile(const std::string& path, std::string& name) const {
    std::string fileName = path.substr(path.find_last_of("/\\") + 1);
    FileNameParts parts = SplitFileName(fileName);
    const CConfigData* config = &m_settings->config;
    if (!IsHtmlExtension(parts.extension)) {
        name = config->m_nHtmlOtherTypesTopic ? parts.base : fileName;
        return true;
    }
    std::string page;
    std::string title;
    if (!mb::ReadWholeFile(path, page) || !mb::ExtractPageTitle(page, LanguageId(), title))
        title = fileName;
    switch (config->m_nHtmlTopic) {
    case kTopicFromTitle:
        name = title;
        break;
    case kTopicFromBaseName:
        name = parts.base;
        break;
    default:
        name = fileName;
        break;
    }
    return true;
}

bool CProjectFile::GetNodeNameFromFileInCHM(const std::string& address, std::string& name) const {
    std::string page = address.substr(0, address.find('#'));
    std::string fileName = page.substr(page.find_last_of('/') + 1);
    name = fileName;
    size_t inside = page.find("::/");
    if (!IsHtmlExtension(SplitFileName(fileName).extension) || inside == std::string::npos)
        return true;

    std::string stream = page.substr(inside + 3);
    for (char& c : stream) {
        if (c == '/')
            c = '\\';
    }
    CCHMFileRW chm;
    std::string data;
    std::string title;
    if (chm.CHM_SetCHMFile(page.substr(0, inside)) && chm.CHM_GetStream(stream, data, true) >= 0 &&
        mb::ExtractPageTitle(data, LanguageId(), title))
        name = title;
    return true;
}

void CProjectFile::GenerateNewDirInRoot(std::string& path) const {
    path.clear();
    if (m_folder.empty())
        return;
    const std::string separator = CPath::IsNativeForm(m_folder) ? "/" : "\\";
    for (;;) {
        std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        char name[64];
        std::snprintf(name, sizeof name, "auto_%d%02d%02d_%02d%02d%02d", local.tm_year + 1900,
                      local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
        std::string candidate = m_folder + name + separator;
        std::error_code ec;
        if (!std::filesystem::exists(candidate, ec)) {
            path = candidate;
            return;
        }
        // The name changes with the clock's second.
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}
