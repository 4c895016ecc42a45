#include "baseutil/MainWindow.h"

namespace mb {
namespace {
thread_local ProblemLines* t_problemLines = nullptr;
} // namespace

void LogLine(ILogSink* log, const std::string& line) {
    if (log)
        log->Log(line, LogKind::Info);
}

void LogProblem(ILogSink* log, const std::string& line) {
    if (t_problemLines)
        t_problemLines->Add(line.c_str());
    if (log)
        log->Log(line, LogKind::Problem);
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

} // namespace mb
