#include "baseutil/MainWindow.h"

namespace mb {
namespace {
IMainWindow* g_mainWindow = nullptr;
}

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
    SendToMainWindow(WM_APP_LOG, reinterpret_cast<intptr_t>(line), const_cast<char*>(kProblemLine));
}

void LogProblem(const std::string& line) {
    LogProblem(line.c_str());
}

} // namespace mb
