#pragma once
// Frames a decompile or conversion run: a start line in the run log and a
// cleared long-file-name flag at the beginning; an end line and, when some
// output file could not be created because of its name, the long-file-name
// warning at the end, shown by `dialogs`. The lines go to `log`; the flag
// is that of `env`.

class CRunEnv;

namespace mb {

class IControllerDialogs;
class ILogSink;

class ConversionLog {
public:
    ConversionLog(IControllerDialogs& dialogs, ILogSink* log, CRunEnv& env);
    ~ConversionLog();
    ConversionLog(const ConversionLog&) = delete;
    ConversionLog& operator=(const ConversionLog&) = delete;

private:
    IControllerDialogs& m_dialogs;
    ILogSink* m_log;
    CRunEnv& m_env;
};

} // namespace mb
