#pragma once
// Frames a decompile or conversion run: a start line in the run log and a
// cleared long-file-name flag at the beginning; an end line and, when some
// output file could not be created because of its name, the long-file-name
// warning at the end, shown by `dialogs`.

namespace mb {

class IControllerDialogs;

class ConversionLog {
public:
    explicit ConversionLog(IControllerDialogs& dialogs);
    ~ConversionLog();
    ConversionLog(const ConversionLog&) = delete;
    ConversionLog& operator=(const ConversionLog&) = delete;

private:
    IControllerDialogs& m_dialogs;
};

} // namespace mb
