#include "app/core/ConversionLog.h"

#include "app/core/ControllerDialogs.h"
#include "baseutil/BWHelper.h"
#include "baseutil/MainWindow.h"
#include "commonkit/StringTable.h"
#include "runconfig/RunEnv.h"

#include <string>

namespace mb {
namespace {

constexpr int kStrStarted = 617;
constexpr int kStrFinished = 619;
constexpr int kStrWhatEnded = 620;
constexpr int kStrWhatStarted = 621;

std::string Text(int n) {
    return CStrHelper::ML_GetStringEx(n);
}

} // namespace

ConversionLog::ConversionLog(IControllerDialogs& dialogs, ILogSink* log, CRunEnv& env)
    : m_dialogs(dialogs), m_log(log), m_env(env) {
    std::string line = "\n>>>>>> " + CBWHelper::GetDateTimeString3() + " " + Text(kStrStarted) +
                       " " + Text(kStrWhatStarted);
    LogLine(m_log, line);
    m_env.SetFoundLongFilename(0);
}

ConversionLog::~ConversionLog() {
    std::string line = "\n<<<<<< " + Text(kStrFinished) + " " + Text(kStrWhatEnded);
    LogLine(m_log, line);
    if (m_env.GetFoundLongFilename())
        m_dialogs.ShowLongFilenameWarning();
}

} // namespace mb
