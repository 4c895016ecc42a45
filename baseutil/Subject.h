#pragma once
// The project model tells the windows that show it what changed: subjects
// keep a list of observers and call each of them with a notification record.

#include <algorithm>
#include <vector>

class CXML;
class CSubject;
struct LOGFONTA;

// Notification codes, shared by every subject of the project model so that
// an observer attached to several subjects can tell them apart by code alone.
enum NotifyCode : int {
    NC_MODIFIED_CHANGED = 0,          // project: modified flag set or cleared
    NC_PROJECT_FILENAME_CHANGED = 1,  // project: file name (and title, folder) changed
    NC_RELOADED = 2,                  // project, contents, index: whole content loaded anew
    NC_LOAD_STARTING = 4,             // project: about to load
    NC_LOAD_FINISHED = 5,             // project: loading finished
    NC_CONTENT_RENAMED = 6,           // node
    NC_CONTENT_LOCAL_CHANGED = 7,     // node: "Local" changed, or stayed empty
    NC_CONTENT_LOCAL_CLEARED = 8,     // node
    NC_CONTENT_LOCAL_ADDED = 9,       // node
    NC_CONTENT_IMAGE_CHANGED = 10,    // node: "ImageNumber" changed
    NC_CONTENT_SELECTED = 11,         // node
    NC_CONTENT_ACTIVATED = 12,
    NC_CONTENT_DEACTIVATED = 13,
    NC_CONTENT_DELETED_EMPTY = 14,    // entries deleted, tree now empty
    NC_CONTENT_DELETED = 15,          // entries deleted, tree not empty
    NC_CONTENT_ADDED = 16,            // data: change record of the inserted run
    NC_CONTENT_REMOVED = 17,          // data: change record of the removed run
    NC_CONTENT_BKCOLOR_CHANGED = 18,  // node: "color" element with "value"
    NC_CONTENT_FONT_CHANGED = 19,     // font: the new font
    NC_CONTENT_WINDOWSTYLE_CHANGED = 20, // node: "WindowStyle" element with "index", "value"
    NC_INDEX_RENAMED = 21,            // node
    NC_INDEX_SELECTED = 22,           // node
    NC_INDEX_LOCAL_CHANGED = 23,      // node
    NC_INDEX_TYPE_CHANGED = 24,       // node
    NC_INDEX_ACTIVATED = 25,
    NC_INDEX_DEACTIVATED = 26,
    NC_INDEX_DELETED_EMPTY = 27,
    NC_INDEX_ADDED = 28,              // data: change record of the inserted run
    NC_INDEX_REMOVED = 29,            // data: change record of the removed run
    NC_INDEX_FONT_CHANGED = 30,       // font: the new font
    NC_FILES_CHANGED = 32,            // data: the files element
    NC_MERGE_FILES_CHANGED = 33,      // data: the merge-files element
    NC_FILES_EMPTIED = 34,
    NC_MERGE_FILES_EMPTIED = 35,
    NC_MAP_CHANGED = 36,              // data: the map element
    NC_MAP_EMPTIED = 37,
    NC_NAVTAB_POSITION_CHANGED = 38,
    NC_INDEX_PAGE_SETTING_CHANGED = 39,
    NC_THREE_PANE_CHANGED = 40,
};

// Passed by reference and valid only during the call: observers copy what
// they need.
struct NotifyInfo {
    int code = 0;
    CXML* node = nullptr;           // the node or change record the change concerns
    const LOGFONTA* font = nullptr; // the new font of a tree (the font codes)
};

class CObserver {
public:
    virtual ~CObserver() = default;
    virtual int Update(CSubject* subject, const NotifyInfo& info) = 0;
};

class CSubject {
public:
    virtual ~CSubject() = default;
    // Appends; attaching twice delivers every notification twice.
    virtual void Attach(CObserver* observer);
    // Removes the first occurrence, if any.
    virtual void Detach(CObserver* observer);
    // Calls Update on every observer in attach order. An observer may detach
    // itself (or others) during its own Update.
    virtual void Notify(const NotifyInfo& info);
    // Convenience: builds the record and notifies.
    void Notify(int code, CXML* node = nullptr, const LOGFONTA* font = nullptr);

    int GetObserverCount() const {
        return static_cast<int>(m_observers.size() - std::count(m_observers.begin(), m_observers.end(), nullptr));
    }

private:
    std::vector<CObserver*> m_observers; // not owned; null marks a detach during Notify
    int m_notifying = 0;
};
