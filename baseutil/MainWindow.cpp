#include "baseutil/MainWindow.h"

namespace mb {
namespace {
IMainWindow* g_mainWindow = nullptr;
thread_local ProblemLines* t_problemLines = nullptr;
} // namespace

void SetMainWindow(IMainWindow* window) { g_mainWindow = window; }

IMainWindow* MainWindow() { return g_mainWindow; }

int SendToMainWindow(int message, intptr_t wParam, void* lParam) {
    return g_mainWindow ? g_mainWindow->Send(message, wParam, lParam) : 0;
}

const char kProblemLine[] = "problem";

void LogLine(const char* line) {
    SendToMainWindow(WM_APP_LOG, reinterpret_cast<intptr_t>(line), nullptr);
}

void LogProblem(const char* line) {
    if (t_problemLines && line)
        t_problemLines->Add(line);
    SendToMainWindow(WM_APP_LOG, reinterpret_cast<intptr_t>(line), const_cast<char*>(kProblemLine));
}

ProblemLines::ProblemLines() : m_outer(t_problemLines) {
    t_problemLines = this;
}

ProblemLines::~ProblemLines() {
    t_problemLines = m_outer;
}

void ProblemLines::Add(const char* line) {
    // Log lines carry their own line breaks; a message shows each problem
    // on one line of its own.
    std::string text;
    for (const char* c = line; *c; ++c) {
        const bool lineBreak = *c == '\n' || *c == '\r';
        if (lineBreak && (text.empty() || text.back() == ' '))
            continue;
        text += lineBreak ? ' ' : *c;
    }
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    if (!text.empty())
        m_lines.push_back(text);
}

std::string ProblemLines::Summary(size_t most) const {
    std::string summary;
    if (m_lines.size() <= most) {
        for (size_t i = 0; i < m_lines.size(); ++i)
            summary += (i ? "\n" : "") + m_lines[i];
        return summary;
    }
    // The last line is kept: a run ends with the count of what it left out.
    for (size_t i = 0; i + 1 < most; ++i)
        summary += m_lines[i] + "\n";
    return summary + "(and " + std::to_string(m_lines.size() - most) + " more in the run log)\n" +
           m_lines.back();
}

void LogProblem(const std::string& line) {
    LogProblem(line.c_str());
}

} // namespace mb
