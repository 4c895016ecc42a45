// The project's side of the tree editing: changes that mark the project
// modified, and the files-list conversions that need the project to name
// new entries after their pages.

#include "projectmodel/FilesList.h"
#include "projectmodel/ProjectFile.h"

void CProjectFile::HHC_ModifyNode(const std::string& id, int what, const CXML* values) {
    m_hhc.ModifyNode(id, what, values);
    NoteTreeChange();
}

void CProjectFile::HHK_ModifyNode(const std::string& id, int what, const CXML* values) {
    m_hhk.ModifyNode(id, what, values);
    NoteTreeChange();
}

void CProjectFile::UseNewID(CXML* list) {
    mb::GiveNewIDs(list);
}

void CProjectFile::ChangeFilesListFromType1ToType2(CXML* list, const std::string& relativeId,
                                                   int mode) {
    mb::ConvertType1ToType2(list, relativeId, mode, [this](int kind, const std::string& local) {
        std::string name;
        if (kind == 2)
            GetNodeNameFromFileInCHM(local, name);
        else
            GetNodeNameFromFile(local, name);
        return name;
    });
}

CXML* CProjectFile::NewAModifiedNodeInfo() {
    return mb::NewChangeRecord();
}
