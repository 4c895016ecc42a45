#pragma once
// The user's settings and the facts of this run, together: what one run of
// the program (or a test) owns and hands to the parts that read or change
// them.

#include "runconfig/ConfigData.h"
#include "runconfig/RunEnv.h"

namespace mb {

struct RunSettings {
    RunSettings() : config(env.GetSettingsFolder()) {}
    RunSettings(const RunSettings&) = delete;
    RunSettings& operator=(const RunSettings&) = delete;

    // First: the configuration lives in its settings folder.
    CRunEnv env;
    CConfigData config;
};

} // namespace mb
