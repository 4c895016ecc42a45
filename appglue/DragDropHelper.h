#pragma once
// Decodes what is dropped on one of the program's views and turns it into
// file lists. It also names the MIME types under which the program's own
// windows drag entries between each other.
//
// The drop state (dropped files, CHM explorer element, text, topic file) is
// replaced by every DropHelper call and read by the list operations that
// follow it in the same drop handling.

#include "appglue/DropData.h"

#include <string>
#include <vector>

class CAppHelper;
class CXML;

// The kinds of dropped object.
enum enumDragDropObjectType {
    DDOT_TEXT = 0,         // the first line of a text
    DDOT_FILES = 1,        // files and folders
    DDOT_SELF = 2,         // the drop comes from the target window itself
    DDOT_ARCHIVE_NODE = 3, // an element of the CHM explorer
    DDOT_VIEW_CONTENT = 4, // an entry of the contents view
    DDOT_VIEW_INDEX = 5,   // an entry of the index view
    DDOT_VIEW_FILES = 6,   // an entry of the files view
    DDOT_NONE = 7,         // nothing usable
};

class CDragDropHelper {
public:
    explicit CDragDropHelper(CAppHelper* app) : m_app(app) {}
    virtual ~CDragDropHelper() = default;
    CDragDropHelper(const CDragDropHelper&) = delete;
    CDragDropHelper& operator=(const CDragDropHelper&) = delete;

    // The MIME types of the program's own drags. The CHM explorer's element
    // travels only inside this process (IDropData::ArchiveNode); the views
    // put the dragged entry's "Local" (or the dragged file) as UTF-8 text.
    static const char* GetCF_ArchiveView() { return "application/x-marrowbook-archiveview"; }
    static const char* GetCF_View_Content() { return "application/x-marrowbook-view-content"; }
    static const char* GetCF_View_Index() { return "application/x-marrowbook-view-index"; }
    static const char* GetCF_View_Files() { return "application/x-marrowbook-view-files"; }

    // Forgets the previous drop and classifies this one (enumDragDropObjectType).
    // With `fromSelf` non-zero the result is DDOT_SELF. Otherwise the most
    // specific format on offer decides: a CHM explorer element of this
    // process, then a contents, index or files entry, then local files,
    // then text.
    int DropHelper(const mb::IDropData& data, int fromSelf);

    // The dropped files and folders as a file list (below). Asks the
    // add-directory dialog once when folders are among them; Cancel leaves
    // the list untouched and gives 0. 1 when something was listed.
    int GetFilesListFromFolderView(CXML* list, int wrapFlash);
    // The dropped CHM explorer element as a file list; 0 without one.
    int GetFilesListFromArchiveView_Content(CXML* list);
    int GetFilesListFromArchiveView_Index(CXML* list);

    const std::vector<std::string>& GetDroppedFiles() const { return m_files; }
    CXML* GetDroppedNode() const { return m_node; }
    const std::string& GetDroppedString() const { return m_text; }
    const std::string& GetDroppedTopicFileName() const { return m_topicFile; }

private:
    void ForgetDrop();
    int ListArchiveNode(CXML* list) const;

    CAppHelper* m_app;
    std::vector<std::string> m_files;
    CXML* m_node = nullptr;
    std::string m_text;
    std::string m_topicFile;
};
