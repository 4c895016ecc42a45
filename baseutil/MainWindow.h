#pragma once
// The main-window interface: what the libraries ask of the program's main
// window, one method per kind of request, with typed arguments and results.
// Log lines and notices may come from any thread; the requests about the
// trees and the files view are made on the window thread. The desktop
// program answers them from its views; the command-line tool prints log
// lines and, having no views, keeps the answers of a window without trees.

#include <string>
#include <vector>

namespace mb {

// The tree a request is about.
enum class Tree { Contents, Index };

// One entry of a tree's selection: its node ID and whether its item is
// expanded in the view.
struct SelectedNode {
    std::string id;
    bool expanded = false;

    bool operator==(const SelectedNode&) const = default;
};

// The files selected in the project files view, by the names the project
// lists them under.
struct SelectedFiles {
    std::vector<std::string> files;
    std::vector<std::string> mergeFiles;
};

// Why files may have appeared where the folder explorer looks.
enum class Notice {
    CharsReplaced, // pages were renamed: read every folder anew
    FirstCompile,  // a help file was made for the first time
    FirstSave,     // an unnamed project was saved for the first time
    SavedAs,       // the project was saved under another name
};

// What a log line tells of.
enum class LogKind {
    Info,
    // A failure or work left undone: a file not written, a name refused, a
    // damaged help file. A window that shows only part of the log shows
    // these.
    Problem,
};

// Where log lines go.
class ILogSink {
public:
    virtual ~ILogSink() = default;
    // One line of the run log (it carries its own line breaks).
    virtual void Log(const std::string& line, LogKind kind) = 0;
};

class IMainWindow : public ILogSink {
public:
    // Tells the window why the folder explorer may show new files.
    virtual void Notify(Notice) {}
    // The selected entries of `tree` in tree order; empty when nothing is
    // selected.
    virtual std::vector<SelectedNode> SelectedNodes(Tree) { return {}; }
    // Selects these entries of `tree` (the first one becomes the current
    // entry) and expands those marked expanded.
    virtual void SelectNodes(Tree, const std::vector<SelectedNode>&) {}
    // Makes the entry that entries were dropped on the selected entry.
    virtual void AcceptDropTarget(Tree) {}
    // Opens the name of the selected (new) entry for editing.
    virtual void EditNewTitle(Tree) {}
    // The files selected in the project files view.
    virtual SelectedFiles SelectedProjectFiles() { return {}; }
};

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

// Hands one log line to `log` (none: the line is dropped).
void LogLine(ILogSink* log, const std::string& line);
// Hands one problem line to `log` and to this thread's ProblemLines.
void LogProblem(ILogSink* log, const std::string& line);

} // namespace mb
