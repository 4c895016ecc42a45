#include "commonkit/FavoriteEditorManager.h"

#include "baseutil/BWHelper.h"
#include "baseutil/Desktop.h"
#include "baseutil/Path.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool EqualsNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && ::strcasecmp(a.c_str(), b.c_str()) == 0;
}

// Splits at commas; "\," is a comma inside an item.
std::vector<std::string> SplitTypes(const std::string& types) {
    std::vector<std::string> items(1);
    for (size_t i = 0; i < types.size(); ++i) {
        if (types[i] == '\\' && i + 1 < types.size() && types[i + 1] == ',') {
            items.back() += ',';
            ++i;
        } else if (types[i] == ',') {
            items.emplace_back();
        } else {
            items.back() += types[i];
        }
    }
    return items;
}

// A private folder in the system's temporary folder, removed with its
// contents when the object goes. The probe files live there, so that no
// file of a fixed name in the shared folder is ever created or deleted.
class ProbeFolder {
public:
    ProbeFolder() {
        std::error_code ec;
        std::string pattern = (std::filesystem::temp_directory_path(ec) / "mbprobeXXXXXX").string();
        if (!ec && ::mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~ProbeFolder() {
        std::error_code ec;
        if (!m_path.empty())
            std::filesystem::remove_all(m_path, ec);
    }
    ProbeFolder(const ProbeFolder&) = delete;
    ProbeFolder& operator=(const ProbeFolder&) = delete;

    // Creates the empty file "bwtestmb.<extension>"; "" when it cannot be
    // made (also for an extension that would leave the folder).
    std::string CreateProbe(const std::string& extension) const {
        if (m_path.empty() || extension.find('/') != std::string::npos)
            return {};
        std::string path = m_path + "/bwtestmb." + extension;
        int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0)
            return {};
        ::close(fd);
        return path;
    }

private:
    std::string m_path;
};

bool HasWildcard(const std::string& type) {
    return type.find_first_of("*?^") != std::string::npos;
}

} // namespace

CFavoriteEditorManager::CFavoriteEditorManager() = default;

void CFavoriteEditorManager::CheckDefaultEditor(mb::IDesktop& desktop, const std::string& types) {
    m_root.DelAllChild();
    ProbeFolder folder;
    for (const std::string& extension : SplitTypes(types)) {
        if (extension.empty())
            continue;
        std::string probe = folder.CreateProbe(extension);
        if (probe.empty())
            continue;
        std::optional<mb::DesktopProgram> program = desktop.DefaultProgramFor(probe);
        std::remove(probe.c_str());
        // Pages are edited as text too; the text editor is listed once.
        bool textEditor = EqualsNoCase(extension, "htm") || EqualsNoCase(extension, "html");
        if (!program) {
            textEditor = true;
        } else {
            std::string title = CPath(program->path).GetFileTitle();
            if (!program->isWebBrowser && !EqualsNoCase(title, "iexplore"))
                AddNewEditor(extension, title, program->path);
        }
        if (textEditor)
            AddNewEditor(extension, kTextEditorName, mb::kDefaultTextEditor);
    }
}

CXML* CFavoriteEditorManager::AddNewEditor(const std::string& type, const std::string& name,
                                           const std::string& program) {
    CXML* file = FindFileElement(type);
    if (!file) {
        file = m_root.AddChild("FILE");
        file->SetAttr("type", type);
    }
    CXML* editor = file->AddChild("EDITOR", program);
    editor->SetAttr("name", name);
    return editor;
}

CXML* CFavoriteEditorManager::GetFavoriteEditor(const std::string& path, int& state) {
    if (path.empty()) {
        state = 0;
        return nullptr;
    }
    CXML* file = FindFileElement(CPath(path).GetRealExtName());
    int editors = 0;
    for (int i = 0; file && i < file->GetChildCount(); ++i)
        editors += file->GetChildAt(i)->GetTagName() == "EDITOR" ? 1 : 0;
    state = editors == 0 ? 1 : editors == 1 ? 2 : 3;
    return file;
}

CXML* CFavoriteEditorManager::FindFileElement(const std::string& extension) const {
    for (int i = 0; i < m_root.GetChildCount(); ++i) {
        CXML* file = m_root.GetChildAt(i);
        if (file->GetTagName() != "FILE")
            continue;
        std::string type = file->GetAttr("type");
        bool matches = HasWildcard(type) ? CBWHelper::WildMatch(type, extension)
                                         : EqualsNoCase(type, extension);
        if (matches)
            return file;
    }
    return nullptr;
}

bool CFavoriteEditorManager::IsEditorExist(const std::string& program) {
    if (program == mb::kDefaultTextEditor || EqualsNoCase(program, "notepad.exe"))
        return true;
    struct stat st {};
    return !program.empty() && ::stat(program.c_str(), &st) == 0;
}

void CFavoriteEditorManager::SetData(const CXML& source) {
    m_root.DelAllChild();
    source.CloneChildTo(&m_root);
    // Lists written on Windows name Notepad; here the desktop's text editor
    // takes its place.
    for (int i = 0; i < m_root.GetChildCount(); ++i) {
        CXML* file = m_root.GetChildAt(i);
        for (int j = 0; j < file->GetChildCount(); ++j) {
            CXML* editor = file->GetChildAt(j);
            if (EqualsNoCase(editor->Value(), "notepad.exe"))
                editor->SetValue(mb::kDefaultTextEditor);
        }
    }
}
