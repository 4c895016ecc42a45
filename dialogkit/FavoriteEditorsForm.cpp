#include "dialogkit/FavoriteEditorsForm.h"

#include "commonkit/FavoriteEditorManager.h"

#include <algorithm>
#include <cctype>

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

CDlgFavoriteEditors::CDlgFavoriteEditors(CFavoriteEditorManager& manager) : m_manager(manager) {
    manager.GetData()->CloneChildTo(&m_list);
}

CXML* CDlgFavoriteEditors::Type(int type) const {
    return type >= 0 && type < m_list.GetChildCount() ? m_list.GetChildAt(type) : nullptr;
}

std::vector<std::string> CDlgFavoriteEditors::Types() const {
    std::vector<std::string> types;
    for (int i = 0; i < m_list.GetChildCount(); ++i)
        types.push_back(m_list.GetChildAt(i)->GetAttr("type"));
    return types;
}

std::vector<FavoriteEditor> CDlgFavoriteEditors::Editors(int type) const {
    std::vector<FavoriteEditor> editors;
    if (const CXML* file = Type(type))
        for (int i = 0; i < file->GetChildCount(); ++i)
            editors.push_back({file->GetChildAt(i)->GetAttr("name"), file->GetChildAt(i)->Value()});
    return editors;
}

bool CDlgFavoriteEditors::AddType(const std::string& type, int* added) {
    std::string clean = type;
    clean.erase(0, clean.find_first_not_of(" ."));
    clean.erase(clean.find_last_not_of(' ') + 1);
    if (clean.empty())
        return false;
    for (const std::string& listed : Types())
        if (Lower(listed) == Lower(clean))
            return false;
    m_list.AddChild("FILE")->SetAttr("type", clean);
    if (added)
        *added = m_list.GetChildCount() - 1;
    return true;
}

void CDlgFavoriteEditors::RemoveType(int type) {
    if (Type(type))
        delete m_list.RemoveAt(type);
}

bool CDlgFavoriteEditors::AddEditor(int type, const FavoriteEditor& editor) {
    CXML* file = Type(type);
    if (!file || editor.program.empty())
        return false;
    std::string name = editor.name;
    if (name.empty())
        name = editor.program.substr(editor.program.find_last_of('/') + 1);
    CXML* element = file->AddChild("EDITOR", editor.program);
    element->SetAttr("name", name);
    return true;
}

void CDlgFavoriteEditors::RemoveEditor(int type, int editor) {
    CXML* file = Type(type);
    if (file && editor >= 0 && editor < file->GetChildCount())
        delete file->RemoveAt(editor);
}

bool CDlgFavoriteEditors::MoveEditor(int type, int editor, int direction) {
    CXML* file = Type(type);
    int to = editor + direction;
    if (!file || editor < 0 || editor >= file->GetChildCount() || to < 0 ||
        to >= file->GetChildCount())
        return false;
    CXML* moved = file->RemoveAt(editor);
    file->InsertChildAt(to, moved);
    return true;
}

void CDlgFavoriteEditors::OnOK() {
    m_manager.SetData(m_list);
}
