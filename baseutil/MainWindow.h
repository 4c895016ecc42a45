#pragma once
// The main-window request interface: libraries ask the main window for the
// user's selection, hand it log lines and tell it to refresh, by message
// number. The desktop program implements it; tests fake it; the command-line
// tool prints log lines.

#include <cstdint>
#include <string>
#include <vector>

namespace mb {

// Messages between threads and libraries and the main frame.
constexpr int WM_APP_SHOW_HELP = 3030;       // wParam 1: project-folder help, 2: filter help
constexpr int WM_APP_COMPILE_STARTED = 3031; // a compile worker was started
constexpr int WM_APP_LOG = 3036;             // wParam: const char* of one log line;
                                             // lParam: kProblemLine or nullptr
constexpr int WM_APP_COMPILE_FINISHED = 3114;
constexpr int WM_APP_NOTIFY = 3289; // wParam 0x34..0x37: refresh the folder explorer

// wParam values of WM_APP_NOTIFY.
constexpr int NOTIFY_CHARS_REPLACED = 0x34;
constexpr int NOTIFY_FIRST_COMPILE = 0x35;
constexpr int NOTIFY_FIRST_SAVE = 0x36;
constexpr int NOTIFY_SAVED_AS = 0x37;

// Requests of the edit commands; lParam is the record (CXML*) to fill or read.
constexpr int REQ_CONTENT_SELECTION_FOR_INDEX = 3124;
constexpr int REQ_CONTENT_SELECTION = 3129;
constexpr int REQ_CONTENT_SELECTION_FOR_RENAME = 3130;
constexpr int REQ_INDEX_SELECTION = 3139;
constexpr int REQ_CONTENT_MOVE_DOWN = 3149;
constexpr int REQ_CONTENT_MOVE_UP = 3154;
constexpr int REQ_CONTENT_MOVE_LEFT = 3159;
constexpr int REQ_CONTENT_MOVE_RIGHT = 3164;
constexpr int REQ_CONTENT_DRAGGED = 3165;
constexpr int REQ_CONTENT_SELECTION_WITH_CHILDREN = 3166;
constexpr int REQ_INDEX_MOVE_DOWN = 3169;
constexpr int REQ_INDEX_MOVE_UP = 3174;
constexpr int REQ_INDEX_MOVE_LEFT = 3179;
constexpr int REQ_INDEX_MOVE_RIGHT = 3184;
constexpr int REQ_INDEX_DRAGGED = 3185;
constexpr int REQ_CONTENT_RESELECT = 3189;
constexpr int REQ_CONTENT_BEFORE_COPY = 3194;
constexpr int REQ_INDEX_RESELECT = 3199;
constexpr int REQ_INDEX_BEFORE_COPY = 3204;
constexpr int REQ_CONTENT_RESTORE_SORTED = 3209; // wParam: expanded flag; lParam: std::string* ID
constexpr int REQ_INDEX_RESTORE_SORTED = 3214;
constexpr int REQ_DELETE_SELECTED_FILES = 3225;
constexpr int REQ_DELETE_SELECTED_MERGE_FILES = 3226;
constexpr int REQ_DELETE_ALL_FILES = 3227;
constexpr int REQ_CONTENT_ACCEPT_DROP = 3244;
constexpr int REQ_INDEX_ACCEPT_DROP = 3254;
constexpr int REQ_CONTENT_EDIT_NEW_TITLE = 3259;
constexpr int REQ_INDEX_EDIT_NEW_TITLE = 3264;

class IMainWindow {
public:
    virtual ~IMainWindow() = default;
    virtual int Send(int message, intptr_t wParam, void* lParam) = 0;
};

// Installs the main window (not owned); nullptr removes it.
void SetMainWindow(IMainWindow* window);
IMainWindow* MainWindow();

// Sends to the installed main window; 0 when there is none.
int SendToMainWindow(int message, intptr_t wParam = 0, void* lParam = nullptr);

// Marks a log line (the lParam of WM_APP_LOG) that tells of a failure or of
// work left undone: a file not written, a name refused, a damaged help file.
// A window that shows only part of the log shows these.
extern const char kProblemLine[];

// Keeps the problem lines that this thread hands on while the object lives
// (the innermost object, when they nest), so that a failed operation can
// give its reasons in its message as well as in the log.
class ProblemLines {
public:
    ProblemLines();
    ~ProblemLines();
    ProblemLines(const ProblemLines&) = delete;
    ProblemLines& operator=(const ProblemLines&) = delete;

    bool Empty() const { return m_lines.empty(); }
    // At most `most` lines, one per line: the first ones and the last one,
    // and how many more the log has.
    std::string Summary(size_t most = 5) const;
    // Called by LogProblem.
    void Add(const char* line);

private:
    ProblemLines* m_outer;
    std::vector<std::string> m_lines;
};

// Hands one log line to the main window (WM_APP_LOG).
void LogLine(const char* line);
// Hands one problem line to the main window (WM_APP_LOG with kProblemLine).
void LogProblem(const char* line);
void LogProblem(const std::string& line);

} // namespace mb
