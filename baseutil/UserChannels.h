#pragma once
// Where the libraries' questions and log lines go: the prompt that asks the
// user and the sink of the run log. Whoever runs the work hands its channels
// to the objects doing it; an object given none asks the cautious prompt and
// keeps no log.

#include "baseutil/MainWindow.h"
#include "baseutil/Prompt.h"

namespace mb {

struct UserChannels {
    IPrompt* prompt = &CautiousPrompt();
    // Null: log lines are dropped.
    ILogSink* log = nullptr;
};

// The channels of whoever was given none.
const UserChannels& QuietChannels();

} // namespace mb
