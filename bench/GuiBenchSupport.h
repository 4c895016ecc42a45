#pragma once
// The set-up the desktop program's benchmarks share: no display, settings in
// a fresh folder of their own, and the web engine prepared before the
// application object exists.

#include "helpweb/HelpWeb.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace mb::bench {

// A new folder for the run (with "/" at the end), or "" when none could be
// made. Call before the QApplication is created.
inline std::string PrepareGuiBench(const char* name) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    std::string pattern = (std::filesystem::temp_directory_path() / name).string() + "XXXXXX";
    if (!mkdtemp(pattern.data()))
        return {};
    const std::string folder = pattern + "/";
    qputenv("MARROWBOOK_HOME", (folder + "home").c_str());
    std::filesystem::create_directories(folder + "home");
    mb::web::PrepareHelpWeb();
    return folder;
}

} // namespace mb::bench
