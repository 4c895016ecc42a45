#pragma once
// Texts for the windows: numbered entries of the language table, and UTF-8
// strings of the model, as Qt strings.

#include "commonkit/StringTable.h"
#include "commonkit/WindowTexts.h"

#include <QString>

#include <string>

namespace mb::gui {

// Entry `n` of the language table.
inline QString Text(int n) {
    return QString::fromStdString(CStrHelper::ML_GetStringEx(n));
}

inline QString ToQ(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace mb::gui
