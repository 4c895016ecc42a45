#pragma once
// The favourite editors as the dialog edits them: file types, each with its
// editors in the order the menus offer them. The form works on a copy; OK
// puts the copy into the editor manager.
#include "baseutil/Xml.h"

#include <string>
#include <vector>

class CFavoriteEditorManager;

struct FavoriteEditor {
    std::string name;
    std::string program;
    bool operator==(const FavoriteEditor&) const = default;
};

class CDlgFavoriteEditors {
public:
    explicit CDlgFavoriteEditors(CFavoriteEditorManager& manager);

    std::vector<std::string> Types() const;
    std::vector<FavoriteEditor> Editors(int type) const;

    // Appends a file type (an extension without dot, or a pattern such as
    // "htm*"); a leading dot is dropped. False, with nothing added, for an
    // empty type or one that is listed already (any letter case). The new
    // type's index in `added`.
    bool AddType(const std::string& type, int* added = nullptr);
    void RemoveType(int type);
    // Appends an editor to `type`; false for an empty program. An empty name
    // becomes the program's file name.
    bool AddEditor(int type, const FavoriteEditor& editor);
    void RemoveEditor(int type, int editor);
    // Moves an editor one place up (-1) or down (+1); false at either end.
    bool MoveEditor(int type, int editor, int direction);

    void OnOK();

private:
    CXML* Type(int type) const;

    CFavoriteEditorManager& m_manager;
    CXML m_list{"external"};
};
